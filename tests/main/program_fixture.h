#pragma once

// What the window tests share: one application per test program, a probe
// that is never asked, and a program folder of their own with every file of
// the real one linked in.

#include "engine/source_list_commands.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

inline QApplication &WindowTestApp()
{
    static int argc = 1;
    static char name[] = "window_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

struct NoProbe : SourceProbe {
    ProbeFacts probe(const QString &, const QString &) override { return {}; }
};

inline void LinkProgramFolder(const QString &folder)
{
    const QDir bin(ravenmoor::test::binDir());
    for (const QString &name : bin.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        ASSERT_TRUE(QFile::link(bin.filePath(name), QDir(folder).filePath(name))) << name.toStdString();
}
