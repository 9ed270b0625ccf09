#pragma once

#include <gtest/gtest.h>
#include <QStringList>

#include "support/ScriptedDialogs.h"

namespace qnetica::test {

// The texts of the message boxes shown, each of which must have been an error box.
inline QStringList ErrorTexts(const ScriptedDialogs& dialogs) {
    QStringList texts;
    for (const auto& message : dialogs.Messages()) {
        EXPECT_EQ(message.BoxKind, MessageBoxKind::Error);
        texts << message.Text;
    }
    return texts;
}

}  // namespace qnetica::test
