// The built library's dynamic symbol table holds every function a host or the editor calls
// by name, each with C linkage (its plain name, unmangled).
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

// The library's documented exports, by what they serve.
const char* const kDocumentedExports[] = {
    // Set-up, teardown and the window's state.
    "PlxInitialize", "WEP", "PlxLoadControl", "PlxSetBkColor", "PlxSetFlags", "PlxGetTopWin", "PlxGetUsfList",
    "PlxSetDocTitle", "PlxSetTarget", "PlxGetTarget", "PlxSetActiveWnd", "PlxGetActiveWnd", "PlxInViewMode",
    "PlxSetFrameName", "PlxGetFrameName", "PlxSetDefaultTarget", "PlxModified", "PlxSetReadOnly",
    // The editor's callback.
    "VekCallback",
    // Paragraph and character formatting.
    "PlxSetHeader", "PlxSetMiscParaType", "PlxParaNormal", "PlxSetList", "PlxSetListEx", "PlxSetMiscCharType",
    "PlxSetParaSpace", "PlxSetTableWidth", "PlxInsertRule", "PlxEditRule", "PlxGetParaAttrib", "PlxSetNewBkColor",
    "PlxSetNewTextColor", "PlxSetBkPict",
    // Links and named anchors.
    "PlxInsertLink", "PlxUpdateLink", "PlxUpdateLinkEx", "PlxGetLinkData", "PlxGetLinkDataEx", "PlxPositionName",
    // Menu commands.
    "PlxCommand", "PlxMenuEnable", "PlxMenuSelect",
    // Documents.
    "PlxClearWindow", "PlxReformat", "PlxNewFile", "PlxOpenFile",
    // Font elements and HTML font sizes.
    "PlxGetFont", "PlxSetFont", "PlxSetFontDlg", "PlxGetLinkInfo", "PlxSetLinkInfo", "PlxSetLinkInfoDlg",
    "PlxSetFontSizeTbl", "PlxGetFontSize", "PlxSetFontSize",
    // Tag data and user tags.
    "PlxGetTagData", "PlxSetUserTag", "PlxGetUserTag", "PlxLparam2String", "PlxString2Lparam",
    // RTF to HTML.
    "PlxRtfToHtml", "PlxRtfToHtmlEx",
    // Pictures.
    "PlxInsertPicture", "PlxSetPicture", "PlxSetPictUseMap",
    // Forms and their fields.
    "PlxGetCurForm", "PlxGetFormInfo", "PlxGetFieldData", "PlxInsertTextField", "PlxInsertButtonField",
    "PlxInsertSelectField", "PlxAddSelectionItem", "PlxDelSelectionItem", "PlxSetForm", "PlxSetFormId",
    "PlxEditFormId",
    // The window procedure of the field controls.
    "SubclassEdit",
    // Reading and writing HTML.
    "PlxRead", "PlxWrite", "PlxSave", "PlxClose",
    // The picture decoders' pixel callbacks.
    "GifData", "TifData",
    // Dialog procedures.
    "LinkParam", "LinkDataParam", "SelectFontElement", "FontSizeParam", "SelectLinkAttrib", "PictureParam",
    "AddSelectionItem", "SelectFieldParam", "ButtonFieldParam", "TextFieldParam", "FormEditParam", "FormListParam",
    "SetFormParam",
};

// The names of the functions the library defines in its dynamic symbol table.
std::set<std::string> definedFunctions(const std::string& library)
{
    std::set<std::string> names;
    std::string command = "nm -D --defined-only '" + library + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name && type == "T")
            names.insert(name);
    }
    pclose(pipe);
    return names;
}

}

TEST(Plx32Exports, EveryDocumentedFunctionIsExportedByItsPlainName)
{
    std::set<std::string> defined = definedFunctions(PLX32_FILE);
    ASSERT_GT(defined.size(), 50u) << "nm could not read " << PLX32_FILE;
    std::string missing;
    for (const char* name : kDocumentedExports)
        if (!defined.count(name))
            missing += std::string(" ") + name;
    EXPECT_EQ(missing, "") << "not exported";
}
