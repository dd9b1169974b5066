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

TEST(AppIdentity, CarriesTheProjectVersion) {
    EXPECT_STREQ(tolvi::identity::kAppTitle, "Tolvi VAT Calculator");
    EXPECT_EQ(tolvi::identity::kVersionMajor, 1);
    EXPECT_EQ(tolvi::identity::kVersionMinor, 0);
    EXPECT_EQ(tolvi::identity::kVersionRevision, 10);
    EXPECT_STREQ(tolvi::identity::kVersionText, "1.0.10");
}

TEST(WindowsVersionRecord, HasExactlyTheIdentityFields) {
    const std::string rc = Read(TOLVI_VERSION_RC);
    ExpectLines(rc, {
                        " FILEVERSION 1,0,0,10\n",
                        " PRODUCTVERSION 1,0,0,10\n",
                        "BLOCK \"040904B0\"",  // English (United States), Unicode
                        "VALUE \"CompanyName\", \"Tolvi Software\"\n",
                        "VALUE \"FileVersion\", \"1.00.0010\"\n",
                        "VALUE \"InternalName\", \"VAT\"\n",
                        "VALUE \"OriginalFilename\", \"VAT.exe\"\n",
                        "VALUE \"ProductName\", \"Tolvi VAT Calculator\"\n",
                        "VALUE \"ProductVersion\", \"1.00.0010\"\n",
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
            "<release version=\"1.0.10\"",
            "<url type=\"homepage\">http://tolvi.example</url>",
            "<image>https://tolvi.example/screenshots/main-window.png</image>",
        });
}

}  // namespace
