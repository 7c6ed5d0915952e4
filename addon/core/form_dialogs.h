#pragma once
// The dialogs of form fields and forms. Their values go through the context's dialog
// exchange area: the first four numbers (a, b, c, d) and the first two texts.
#include "addon/base/html_ctx.h"
#include "addon/core/plx32.h"   // the dialog procedures

namespace ks::addon {

enum FormDialogItem : int {
    kDlgFormList = 700, kDlgFormNew = 738, kDlgFormProperties = 739,
    kDlgFormId = 740, kDlgFormGet = 741, kDlgFormPost = 742, kDlgFormAction = 743,
    kDlgTextLine = 744, kDlgRadio = 745, kDlgSubmit = 746, kDlgReset = 747, kDlgTextArea = 748,
    kDlgCheckBox = 749, kDlgPassword = 751,
    kDlgColumns = 754, kDlgItems = 755, kDlgRows = 755, kDlgRowsLabel = 756, kDlgName = 757,
    kDlgMaxColumns = 758, kDlgChecked = 759, kDlgButtonText = 760, kDlgMultiple = 761,
    kDlgItemText = 757, kDlgItemValue = 760, kDlgItemSelected = 762, kDlgItemInsert = 763, kDlgItemAppend = 764,
};
enum ExchangeValue : int { kValueA = 0, kValueB = 1, kValueC = 2, kValueD = 3 };

// The exchange area's first and second texts.
inline char* exchangeText1(HtmlCtx& ctx) { return ctx.dialog.linkText; }
inline char* exchangeText2(HtmlCtx& ctx) { return ctx.dialog.pictureFile; }

// Sets a, b, c, d and empties both texts, as an export does before it opens a dialog.
void PrepareExchange(HtmlCtx& ctx, int a, int b, int c = 0, int d = 0);

}
