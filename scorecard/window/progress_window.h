#pragma once
// The progress window of long updates; other windows set its caption and text.
#include "platform/runtime/form.h"

class QLabel;

namespace ks {

class FormcreatingGraphs : public Form {
public:
    FormcreatingGraphs();
    QLabel* Label1 = nullptr;

protected:
    void Form_Load() override;
};

}
