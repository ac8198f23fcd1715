#pragma once

#include "apptesting.h"
#include "gui/frmmain.h"
#include "gui/modmain.h"

#include <gtest/gtest.h>
#include <memory>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

// The window on the shipped alphabet and pictures, its dialogs answered by the test through the
// recorded context, and a scratch folder for what it writes.
class ShippedWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window = modMain::Main(reported.context(QStringLiteral(SCARABO_DATA_DIR)));
        ASSERT_TRUE(window);
        ASSERT_TRUE(output.isValid());
    }

    void convert(const QString& text) {
        window->findChild<QLineEdit*>(QStringLiteral("txtEnglish"))->setText(text);
        window->findChild<QPushButton*>(QStringLiteral("cmdGo"))->click();
    }

    QAction* command(const QString& name) const { return window->findChild<QAction*>(name); }

    RecordedMessages reported;
    std::unique_ptr<frmMain> window;
    QTemporaryDir output;
};
