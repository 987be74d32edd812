#include <windows.h>

#include <gtest/gtest.h>

TEST(Dll, LoadsAndOffersItsTwoEntryPoints) {
    HMODULE dll = LoadLibraryW(L"Ulvo2FSUIPC.dll");
    ASSERT_NE(dll, nullptr);
    EXPECT_NE(GetProcAddress(dll, "DLLStart"), nullptr);
    EXPECT_NE(GetProcAddress(dll, "DLLStop"), nullptr);
    FreeLibrary(dll);
}
