#pragma once
// The first window: SCORECARD or RESOURCES.
#include "platform/runtime/form.h"

class QLabel;

namespace ks {

class ImageButton;

class FormNavigation : public Form {
public:
    FormNavigation();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ImageButton* ImageScorecard = nullptr;
    ImageButton* ImageResources = nullptr;

    void ImageScorecard_Click();
    void ImageScorecard_MouseDown();
    void ImageScorecard_MouseUp();
    void ImageResources_Click();
    void ImageResources_MouseDown();
    void ImageResources_MouseUp();

protected:
    void Form_Load() override;
};

}
