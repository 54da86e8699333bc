#pragma once

// No exception crosses the Qt event loop: whatever the event loop calls runs
// inside a guard that shows the error in the application's error box and ends
// the handler there, as a desktop application's default error handler does.

#include <QString>
#include <concepts>
#include <functional>
#include <utility>

class QEvent;
class QObject;

// Where an error that ended a handler is shown.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void showError(const QString &text) = 0;
};

// Runs handler; an exception ends it and its text goes to box (a std::exception
// shows what(), anything else a fixed text). True when the handler ran to its end.
bool RunGuarded(ErrorBox &box, const std::function<void()> &handler) noexcept;

// The text shown for an exception that is no std::exception.
QString UnknownErrorText();

// A handler for connect() and timers that runs f inside the guard; it takes
// exactly the arguments f takes, so Qt passes it the right ones.
template <typename F>
class GuardedCall {
public:
    GuardedCall(ErrorBox &box, F f) : m_box(&box), m_f(std::move(f)) {}

    template <typename... Args>
        requires std::invocable<F &, Args...>
    void operator()(Args &&...args) const
    {
        RunGuarded(*m_box, [&] { m_f(std::forward<Args>(args)...); });
    }

private:
    ErrorBox *m_box;
    mutable F m_f;
};

template <typename F>
GuardedCall<F> Guarded(ErrorBox &box, F f)
{
    return {box, std::move(f)};
}

// The application class with every event delivery inside the guard, so that no
// handler can let an exception reach the event loop. App is QCoreApplication,
// QGuiApplication or QApplication.
template <typename App>
class GuardedApplication : public App {
public:
    GuardedApplication(int &argc, char **argv, ErrorBox &box) : App(argc, argv), m_box(box) {}

    bool notify(QObject *receiver, QEvent *event) override
    {
        bool handled = false;
        RunGuarded(m_box, [&] { handled = App::notify(receiver, event); });
        return handled;
    }

private:
    ErrorBox &m_box;
};
