// The built library, loaded as a host loads it: by file, its exports found by name.
#include "platform/editor/vek32.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

TEST(Plx32Library, LoadsAndItsExportsWorkByName)
{
    void* library = dlopen(PLX32_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Init = int (*)(HWND, HWND);
    using SetHeader = int (*)(HWND, int, int);
    auto init = reinterpret_cast<Init>(dlsym(library, "PlxInitialize"));
    auto setHeader = reinterpret_cast<SetHeader>(dlsym(library, "PlxSetHeader"));
    ASSERT_NE(init, nullptr);
    ASSERT_NE(setHeader, nullptr);
    for (const char* name : {"VekCallback", "WEP", "PlxSetListEx", "PlxGetParaAttrib", "PlxSetNewBkColor", "GifData", "TifData", "SubclassEdit"})
        EXPECT_NE(dlsym(library, name), nullptr) << name;

    HWND hWnd = EditorCreateWindow(nullptr, "html", 0x54002041, 0, 0, 400, 300);
    EXPECT_EQ(setHeader(hWnd, 3, 0), 0) << "not initialised yet";
    ASSERT_EQ(init(hWnd, nullptr), 1);
    EXPECT_EQ(setHeader(hWnd, 3, 0), 1);
    int word = 0;
    EditorGetParaProps(hWnd, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &word, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr);
    EXPECT_EQ((word >> 6) & 7, 3) << "the library reaches the same editor window";
    EditorDestroyWindow(hWnd);
    dlclose(library);
}
