#include "platform/player/mpv_library.h"

#include "platform/loader/late_library.h"

#include <array>
#include <mpv/client.h>
#include <mpv/stream_cb.h>
#include <type_traits>

namespace {

// The functions the players use, in the order of kNames.
enum Function {
    kCreate,
    kInitialize,
    kTerminateDestroy,
    kSetOptionString,
    kWakeup,
    kStreamCbAddRo,
    kObserveProperty,
    kCommand,
    kCommandRet,
    kErrorString,
    kSetProperty,
    kSetPropertyString,
    kGetProperty,
    kGetPropertyString,
    kFreeNodeContents,
    kFree,
    kWaitEvent,
    kFunctionCount
};

constexpr std::array<const char *, kFunctionCount> kNames = {
    "mpv_create",          "mpv_initialize",          "mpv_terminate_destroy", "mpv_set_option_string",
    "mpv_wakeup",          "mpv_stream_cb_add_ro",    "mpv_observe_property",  "mpv_command",
    "mpv_command_ret",     "mpv_error_string",        "mpv_set_property",      "mpv_set_property_string",
    "mpv_get_property",    "mpv_get_property_string", "mpv_free_node_contents", "mpv_free",
    "mpv_wait_event",
};

const LateLibrary &Loaded()
{
    // Opened once, on the first call from any thread; the sonames of the
    // client API the players are written for, newest first.
    static const LateLibrary library({"libmpv.so.2", "libmpv.so.1"}, "RAVENMOOR_LIBMPV",
                                     {kNames.begin(), kNames.end()});
    return library;
}

// Calls the library's own function `at`, of the same type as Own; without the
// library: nothing, a null pointer or an mpv error code.
template <auto Own, typename... Args>
auto Forward(Function at, Args... args)
{
    using Result = std::invoke_result_t<decltype(Own), Args...>;
    const auto real = reinterpret_cast<decltype(Own)>(Loaded().function(at));
    if (real)
        return real(args...);
    if constexpr (std::is_pointer_v<Result>)
        return Result(nullptr);
    else if constexpr (!std::is_void_v<Result>)
        return Result(MPV_ERROR_UNINITIALIZED);
}

} // namespace

QString MpvLibraryProblem()
{
    const QString &problem = Loaded().problem();
    if (problem.isEmpty())
        return {};
    return QStringLiteral("The preview needs the libmpv player library (package libmpv2): %1.").arg(problem);
}

extern "C" {

mpv_handle *mpv_create(void)
{
    return Forward<&mpv_create>(kCreate);
}

int mpv_initialize(mpv_handle *ctx)
{
    return Forward<&mpv_initialize>(kInitialize, ctx);
}

void mpv_terminate_destroy(mpv_handle *ctx)
{
    Forward<&mpv_terminate_destroy>(kTerminateDestroy, ctx);
}

int mpv_set_option_string(mpv_handle *ctx, const char *name, const char *data)
{
    return Forward<&mpv_set_option_string>(kSetOptionString, ctx, name, data);
}

void mpv_wakeup(mpv_handle *ctx)
{
    Forward<&mpv_wakeup>(kWakeup, ctx);
}

int mpv_stream_cb_add_ro(mpv_handle *ctx, const char *protocol, void *user_data, mpv_stream_cb_open_ro_fn open_fn)
{
    return Forward<&mpv_stream_cb_add_ro>(kStreamCbAddRo, ctx, protocol, user_data, open_fn);
}

int mpv_observe_property(mpv_handle *mpv, uint64_t reply_userdata, const char *name, mpv_format format)
{
    return Forward<&mpv_observe_property>(kObserveProperty, mpv, reply_userdata, name, format);
}

int mpv_command(mpv_handle *ctx, const char **args)
{
    return Forward<&mpv_command>(kCommand, ctx, args);
}

int mpv_command_ret(mpv_handle *ctx, const char **args, mpv_node *result)
{
    return Forward<&mpv_command_ret>(kCommandRet, ctx, args, result);
}

const char *mpv_error_string(int error)
{
    const char *text = Forward<&mpv_error_string>(kErrorString, error);
    return text ? text : "the player library is not loaded";
}

int mpv_set_property(mpv_handle *ctx, const char *name, mpv_format format, void *data)
{
    return Forward<&mpv_set_property>(kSetProperty, ctx, name, format, data);
}

int mpv_set_property_string(mpv_handle *ctx, const char *name, const char *data)
{
    return Forward<&mpv_set_property_string>(kSetPropertyString, ctx, name, data);
}

int mpv_get_property(mpv_handle *ctx, const char *name, mpv_format format, void *data)
{
    return Forward<&mpv_get_property>(kGetProperty, ctx, name, format, data);
}

char *mpv_get_property_string(mpv_handle *ctx, const char *name)
{
    return Forward<&mpv_get_property_string>(kGetPropertyString, ctx, name);
}

void mpv_free_node_contents(mpv_node *node)
{
    Forward<&mpv_free_node_contents>(kFreeNodeContents, node);
}

void mpv_free(void *data)
{
    Forward<&mpv_free>(kFree, data);
}

mpv_event *mpv_wait_event(mpv_handle *ctx, double timeout)
{
    return Forward<&mpv_wait_event>(kWaitEvent, ctx, timeout);
}

} // extern "C"
