#include "platform/errors/error_guard.h"
#include "platform/errors/recording_error_box.h"
#include "platform/ini/ini_file.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ErrorGuard, ShowsWhatEndedTheHandler)
{
    const struct {
        const char *what;
        std::function<void()> handler;
        bool ranToEnd;
        QStringList shown;
    } table[] = {
        {"nothing thrown", [] {}, true, {}},
        {"std::exception", [] { throw std::runtime_error("Cannot open \"a b.avi\""); }, false,
         {"Cannot open \"a b.avi\""}},
        {"derived error", [] { throw IniFileError("Cannot write the ini file"); }, false,
         {"Cannot write the ini file"}},
        {"non-ASCII text", [] { throw std::runtime_error("Datei „ä“ fehlt"); }, false, {"Datei „ä“ fehlt"}},
        {"empty text", [] { throw std::runtime_error(""); }, false, {UnknownErrorText()}},
        {"not an exception class", [] { throw 42; }, false, {UnknownErrorText()}},
    };
    for (const auto &row : table) {
        RecordingErrorBox box;
        EXPECT_EQ(RunGuarded(box, row.handler), row.ranToEnd) << row.what;
        EXPECT_EQ(box.shown, row.shown) << row.what;
    }
}

TEST(ErrorGuard, HandlerStopsAtTheError)
{
    RecordingErrorBox box;
    QStringList steps;
    RunGuarded(box, [&] {
        steps << "before";
        throw std::runtime_error("stop");
        steps << "after";
    });
    EXPECT_EQ(steps, QStringList{"before"});
}

TEST(ErrorGuard, FailingBoxDoesNotLetTheErrorOut)
{
    struct ThrowingBox : ErrorBox {
        void showError(const QString &) override { throw std::logic_error("box broke"); }
    } box;
    EXPECT_FALSE(RunGuarded(box, [] { throw std::runtime_error("first"); }));
}

TEST(ErrorGuard, GuardedCallablePassesArgumentsAndCatches)
{
    RecordingErrorBox box;
    QObject object;
    QStringList names;
    QObject::connect(&object, &QObject::objectNameChanged, Guarded(box, [&](const QString &name) {
                         names << name;
                         if (name == "bad")
                             throw std::runtime_error("bad name");
                     }));
    object.setObjectName("good");
    object.setObjectName("bad");
    object.setObjectName("again");
    EXPECT_EQ(names, (QStringList{"good", "bad", "again"}));
    EXPECT_EQ(box.shown, QStringList{"bad name"});
}

TEST(ErrorGuard, EventLoopSurvivesThrowingHandlers)
{
    int argc = 1;
    char name[] = "guarded";
    char *argv[] = {name, nullptr};
    RecordingErrorBox box;
    GuardedApplication<QCoreApplication> loop(argc, argv, box);
    bool laterRan = false;
    QTimer::singleShot(0, &loop, [] { throw std::runtime_error("timer failed"); });
    QTimer::singleShot(0, &loop, [] { throw 7; });
    QTimer::singleShot(5, &loop, [&] {
        laterRan = true;
        QCoreApplication::quit();
    });
    EXPECT_EQ(loop.exec(), 0);
    EXPECT_TRUE(laterRan);
    EXPECT_EQ(box.shown, (QStringList{"timer failed", UnknownErrorText()}));
}

} // namespace
