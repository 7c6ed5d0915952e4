#pragma once
// Notifications to the host of an editor window: through the host's callback
// when the editor reports one, else as window messages to the host window.
#include "addon/base/html_ctx.h"

namespace ks::addon {

enum HtmlNotifyCode : UINT {
    kNotifyTitle = 3274,
    kNotifyViewLink = 3275,      // posted
    kNotifyLoadPicture = 3276,
    kNotifySubmit = 3277,
    kNotifyImagePlaced = 3278,
    kNotifyBase = 3279,
    kNotifyAnchor = 3280,
    kNotifyEditLink = 3281,      // posted
    kNotifyBackground = 3282,
    kNotifyNamedAnchor = 3283,
    kNotifyFrame = 3284,
};

// True for the codes that reach the host after the add-on has returned.
bool isPostedNotify(UINT code);

// The host's result (0 for a posted message), or 0 without a top context.
// A posted text (textParam) travels as a copy: the buffer it came from is reused.
LRESULT SendHtmlNotify(HtmlCtx* ctx, UINT code, WPARAM wParam, LPARAM lParam, bool post, bool textParam = false);
// Sends or posts as the code requires.
LRESULT HtmlNotify(HtmlCtx* ctx, UINT code, WPARAM wParam, LPARAM lParam);
int SubmitForm(HtmlCtx* ctx, int form);

}
