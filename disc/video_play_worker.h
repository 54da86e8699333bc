#pragma once

// TVideoplay: the worker thread of one preview. It makes the player's
// blocking Play call and whatever must follow it on that thread; it is never
// reused, and its owner joins it before it lets it go.

#include <QThread>
#include <functional>

class TVideoplay : public QThread {
    Q_OBJECT
public:
    explicit TVideoplay(std::function<void()> execute) : m_execute(std::move(execute)) {}
    ~TVideoplay() override { wait(); }

protected:
    void run() override { m_execute(); }

private:
    std::function<void()> m_execute;
};
