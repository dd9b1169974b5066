// The records generated from the project's one version: the application identity the windows
// use, the Windows version record, the desktop entry and the AppStream metainfo.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app_identity.h"

namespace {

std::string Read(const char* path) {
    std::ifstream file(path);
    EXPECT_TRUE(file.good()) << path;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void ExpectLines(const std::string& text, std::initializer_list<const char*> lines) {
    for (const char* line : lines) {
        EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line;
    }
}

using tolvi::identity::kVersionMajor;
using tolvi::identity::kVersionMinor;
using tolvi::identity::kVersionRevision;

std::string Padded(int number, std::size_t width) {
    std::string digits = std::to_string(number);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

// The one version, as each record writes it.
const std::string kDotted = std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                            "." + std::to_string(kVersionRevision);
const std::string kFixed = std::to_string(kVersionMajor) + "," + std::to_string(kVersionMinor) +
                           ",0," + std::to_string(kVersionRevision);
const std::string kRecord = std::to_string(kVersionMajor) + "." + Padded(kVersionMinor, 2) + "." +
                            Padded(kVersionRevision, 4);

TEST(AppIdentity, WritesTheVersionFromItsNumbers) {
    EXPECT_EQ(tolvi::identity::kVersionText, kDotted);
    EXPECT_GE(kVersionMajor, 1);
}

TEST(WindowsVersionRecord, HasExactlyTheIdentityFields) {
    const std::string rc = Read(TOLVI_VERSION_RC);
    ExpectLines(rc, {
                        (" FILEVERSION " + kFixed + "\n").c_str(),
                        (" PRODUCTVERSION " + kFixed + "\n").c_str(),
                        "BLOCK \"040904B0\"",  // English (United States), Unicode
                        "VALUE \"CompanyName\", \"Tolvi Software\"\n",
                        ("VALUE \"FileVersion\", \"" + kRecord + "\"\n").c_str(),
                        "VALUE \"InternalName\", \"VAT\"\n",
                        "VALUE \"OriginalFilename\", \"VAT.exe\"\n",
                        "VALUE \"ProductName\", \"Tolvi VAT Calculator\"\n",
                        ("VALUE \"ProductVersion\", \"" + kRecord + "\"\n").c_str(),
                        "VALUE \"Translation\", 0x0409, 1200\n",
                    });
    std::size_t values = 0;
    for (std::size_t at = rc.find("VALUE \""); at != std::string::npos;
         at = rc.find("VALUE \"", at + 1)) {
        ++values;
    }
    EXPECT_EQ(values, 7u);  // the six strings and the translation, nothing else
}

TEST(DesktopEntry, NamesTheApplication) {
    ExpectLines(Read(TOLVI_DESKTOP_ENTRY), {
                                               "\nName=Tolvi VAT Calculator\n",
                                               "\nExec=tolvi-vat\n",
                                               "\nIcon=example.tolvi.VatCalculator\n",
                                               "\nCategories=Office;Finance;Calculator;\n",
                                           });
}

TEST(Metainfo, NamesTheReleaseAndTheScreenshot) {
    ExpectLines(
        Read(TOLVI_METAINFO),
        {
            "<id>example.tolvi.VatCalculator</id>",
            "<name>Tolvi VAT Calculator</name>",
            "<developer_name>Tolvi Software</developer_name>",
            "<launchable type=\"desktop-id\">example.tolvi.VatCalculator.desktop</launchable>",
            ("<release version=\"" + kDotted + "\"").c_str(),
            "<url type=\"homepage\">http://tolvi.example</url>",
            "<image>https://tolvi.example/screenshots/main-window.png</image>",
        });
}

}  // namespace
