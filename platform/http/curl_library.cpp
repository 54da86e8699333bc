#include "platform/http/curl_library.h"

#include "platform/loader/late_library.h"

#include <cstdarg>
#include <curl/curl.h>
#include <type_traits>

namespace {

// The functions the HTTP client uses, in the order of kNames.
enum Function {
    kGlobalInit,
    kEasyInit,
    kEasyCleanup,
    kEasySetopt,
    kEasyStrerror,
    kMultiInit,
    kMultiCleanup,
    kMultiAddHandle,
    kMultiRemoveHandle,
    kMultiPerform,
    kMultiInfoRead,
    kMultiPoll,
    kMultiWakeup,
    kSlistAppend,
    kSlistFreeAll,
};

const std::vector<const char *> kNames = {
    "curl_global_init",        "curl_easy_init",       "curl_easy_cleanup",    "curl_easy_setopt",
    "curl_easy_strerror",      "curl_multi_init",      "curl_multi_cleanup",   "curl_multi_add_handle",
    "curl_multi_remove_handle", "curl_multi_perform",  "curl_multi_info_read", "curl_multi_poll",
    "curl_multi_wakeup",       "curl_slist_append",    "curl_slist_free_all",
};

struct Curl {
    LateLibrary library{{"libcurl.so.4"}, "RAVENMOOR_LIBCURL", kNames};
    QString problem = library.problem();
};

// Opened and set up once, on the first call from any thread, before any
// transfer can start.
const Curl &Loaded()
{
    static const Curl curl = [] {
        Curl c;
        using Init = decltype(&curl_global_init);
        if (c.problem.isEmpty() && reinterpret_cast<Init>(c.library.function(kGlobalInit))(CURL_GLOBAL_DEFAULT) != 0)
            c.problem = QStringLiteral("its set-up failed");
        return c;
    }();
    return curl;
}

template <auto Own>
auto Real(Function at)
{
    return Loaded().problem.isEmpty() ? reinterpret_cast<decltype(Own)>(Loaded().library.function(at)) : nullptr;
}

// Calls the library's own function `at`, of the same type as Own; without the
// library: nothing, a null pointer or `failed`.
template <auto Own, typename... Args>
auto Forward(Function at, std::invoke_result_t<decltype(Own), Args...> failed, Args... args)
{
    if (const auto real = Real<Own>(at))
        return real(args...);
    return failed;
}

template <auto Own, typename... Args>
void ForwardVoid(Function at, Args... args)
{
    if (const auto real = Real<Own>(at))
        real(args...);
}

} // namespace

QString CurlLibraryProblem()
{
    const QString &problem = Loaded().problem;
    if (problem.isEmpty())
        return {};
    return QStringLiteral("the HTTP library libcurl (package libcurl4) cannot be used: %1").arg(problem);
}

extern "C" {

CURL *curl_easy_init(void)
{
    return Forward<&curl_easy_init>(kEasyInit, nullptr);
}

void curl_easy_cleanup(CURL *curl)
{
    ForwardVoid<&curl_easy_cleanup>(kEasyCleanup, curl);
}

// In parentheses, so that curl's type-checking macro of the same name is not expanded.
CURLcode(curl_easy_setopt)(CURL *curl, CURLoption option, ...)
{
    const auto real = Real<&curl_easy_setopt>(kEasySetopt);
    if (!real)
        return CURLE_FAILED_INIT;
    // One argument, whose type the option's number range tells.
    va_list args;
    va_start(args, option);
    CURLcode code;
    if (option < CURLOPTTYPE_OBJECTPOINT)
        code = real(curl, option, va_arg(args, long));
    else if (option >= CURLOPTTYPE_OFF_T && option < CURLOPTTYPE_BLOB)
        code = real(curl, option, va_arg(args, curl_off_t));
    else
        code = real(curl, option, va_arg(args, void *));
    va_end(args);
    return code;
}

const char *curl_easy_strerror(CURLcode code)
{
    return Forward<&curl_easy_strerror>(kEasyStrerror, "libcurl is not loaded", code);
}

CURLM *curl_multi_init(void)
{
    return Forward<&curl_multi_init>(kMultiInit, nullptr);
}

CURLMcode curl_multi_cleanup(CURLM *multi)
{
    return Forward<&curl_multi_cleanup>(kMultiCleanup, CURLM_INTERNAL_ERROR, multi);
}

CURLMcode curl_multi_add_handle(CURLM *multi, CURL *curl)
{
    return Forward<&curl_multi_add_handle>(kMultiAddHandle, CURLM_INTERNAL_ERROR, multi, curl);
}

CURLMcode curl_multi_remove_handle(CURLM *multi, CURL *curl)
{
    return Forward<&curl_multi_remove_handle>(kMultiRemoveHandle, CURLM_INTERNAL_ERROR, multi, curl);
}

CURLMcode curl_multi_perform(CURLM *multi, int *running)
{
    return Forward<&curl_multi_perform>(kMultiPerform, CURLM_INTERNAL_ERROR, multi, running);
}

CURLMsg *curl_multi_info_read(CURLM *multi, int *queued)
{
    return Forward<&curl_multi_info_read>(kMultiInfoRead, nullptr, multi, queued);
}

CURLMcode curl_multi_poll(CURLM *multi, struct curl_waitfd extra_fds[], unsigned int extra_nfds, int timeout_ms,
                          int *ret)
{
    return Forward<&curl_multi_poll>(kMultiPoll, CURLM_INTERNAL_ERROR, multi, extra_fds, extra_nfds, timeout_ms, ret);
}

CURLMcode curl_multi_wakeup(CURLM *multi)
{
    return Forward<&curl_multi_wakeup>(kMultiWakeup, CURLM_INTERNAL_ERROR, multi);
}

struct curl_slist *curl_slist_append(struct curl_slist *list, const char *text)
{
    return Forward<&curl_slist_append>(kSlistAppend, nullptr, list, text);
}

void curl_slist_free_all(struct curl_slist *list)
{
    ForwardVoid<&curl_slist_free_all>(kSlistFreeAll, list);
}

} // extern "C"
