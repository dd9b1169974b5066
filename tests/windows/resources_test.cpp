// Reads each Windows program's version record and icon as Windows itself does (the version
// API, the resource loader) and checks them against the project's identity.
//   resources_test PROGRAM.exe...
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app_identity.h"

namespace {

int failures = 0;

void Check(bool ok, const char* program, const char* what, const std::string& got,
           const std::string& expected) {
    if (!ok) {
        std::printf("FAIL %s: %s is \"%s\", expected \"%s\"\n", program, what, got.c_str(),
                    expected.c_str());
        ++failures;
    }
}

std::string Text(const std::vector<char>& record, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        length == 0) {
        return "(none)";
    }
    return std::string(value, length - 1);
}

void CheckVersionRecord(const char* program) {
    const DWORD size = GetFileVersionInfoSizeA(program, nullptr);
    std::vector<char> record(size);
    if (size == 0 || !GetFileVersionInfoA(program, 0, size, record.data())) {
        Check(false, program, "the version record", "missing", "present");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
    using namespace tolvi::identity;
    const DWORD high = MAKELONG(kVersionMinor, kVersionMajor);
    const DWORD low = MAKELONG(kVersionRevision, 0);
    const std::string expected = std::to_string(kVersionMajor) + "." +
                                 std::to_string(kVersionMinor) + ".0." +
                                 std::to_string(kVersionRevision);
    auto numbers = [](DWORD h, DWORD l) {
        return std::to_string(HIWORD(h)) + "." + std::to_string(LOWORD(h)) + "." +
               std::to_string(HIWORD(l)) + "." + std::to_string(LOWORD(l));
    };
    Check(fixed != nullptr && fixed->dwFileVersionMS == high && fixed->dwFileVersionLS == low,
          program, "the file version",
          fixed ? numbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS) : "none", expected);
    Check(fixed != nullptr && fixed->dwProductVersionMS == high && fixed->dwProductVersionLS == low,
          program, "the product version",
          fixed ? numbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS) : "none", expected);
    // The window keeps the original program's file name; the command line names itself.
    const std::string file = std::filesystem::path(program).filename().string();
    const std::string originalName = file == "tolvi-vat.exe" ? "VAT.exe" : file;
    const struct {
        const char* name;
        const char* expected;
    } texts[] = {{"ProductName", kAppTitle},
                 {"CompanyName", kCompanyName},
                 {"OriginalFilename", originalName.c_str()}};
    for (const auto& text : texts) {
        const std::string got = Text(record, text.name);
        Check(got == text.expected, program, text.name, got, text.expected);
    }
}

// Icon 1's group lists one picture for each size Windows shows, from 16 to 256 pixels (256
// written as 0), and the loader gives each size its own picture, not a scaled one.
void CheckIcon(const char* program) {
    const HMODULE module =
        LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const HRSRC group =
        module ? FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON) : nullptr;
    if (group == nullptr) {
        Check(false, program, "icon 1", "missing", "present");
        if (module) {
            FreeLibrary(module);
        }
        return;
    }
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    const int count = *reinterpret_cast<WORD*>(directory + 4);
    std::string sizes;
    for (int i = 0; i < count; ++i) {
        const int width = directory[6 + 14 * i];  // GRPICONDIRENTRY: 14 bytes, width first
        sizes += (sizes.empty() ? "" : " ") + std::to_string(width == 0 ? 256 : width);
    }
    Check(sizes == "16 24 32 48 64 256", program, "icon 1's sizes", sizes, "16 24 32 48 64 256");
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        const HRSRC picture = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
        HICON icon = nullptr;
        if (picture != nullptr) {
            icon = CreateIconFromResourceEx(
                static_cast<BYTE*>(LockResource(LoadResource(module, picture))),
                SizeofResource(module, picture), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
        }
        Check(icon != nullptr, program, ("the " + std::to_string(size) + "-pixel icon").c_str(),
              "missing", "loaded");
        if (icon) {
            DestroyIcon(icon);
        }
    }
    FreeLibrary(module);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const int before = failures;
        CheckVersionRecord(argv[i]);
        CheckIcon(argv[i]);
        if (failures == before) {
            std::printf("%s: version record and icon as built\n", argv[i]);
        }
    }
    return failures == 0 && argc > 1 ? 0 : 1;
}
