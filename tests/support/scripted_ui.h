#pragma once
// Installs the scripted ui backend for one test and, at its end, fails the
// test on any unexpected box or any answer left unused.
#include "platform/ui/scripted_backend.h"
#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

namespace ks::test {

class ScriptedUi : public ks::ui::ScriptedBackend {
public:
    ScriptedUi() { ks::ui::setBackend(this); }
    ~ScriptedUi() override
    {
        ks::ui::setBackend(nullptr);
        for (const QString& f : failures())
            ADD_FAILURE() << f.toStdString();
        EXPECT_EQ(pendingAnswers(), 0) << "answers queued for boxes that never appeared";
    }
};

}
