// What an import says about its rows, without a server: UTF-8 files read as
// the program's letters, the note of an unknown house, the counts of the last
// message and the way from one marked row to the next.
#include <gtest/gtest.h>

#include "datalist/DataList.h"
#include "dbf/DbfTableSpec.h"
#include "import/ImportFile.h"
#include "import/ImportMarks.h"
#include "import/ImportRows.h"
#include "import/ImportSave.h"
#include "import/ImportText.h"
#include "text/Windows1250.h"

namespace {

// "ȘTEFĂNESCU" and "Țăran" as a UTF-8 file stores them, and as the program does.
const std::string kStefanUtf8 = "\xC8\x98TEF\xC4\x82NESCU";
const std::string kStefanPage = "\xAATEF\xC3NESCU";
const std::string kTaranUtf8 = "\xC8\x9A\xC4\x83ran";
const std::string kTaranPage = "\xDE\xE3ran";

TEST(Utf8Texts, RomanianLettersBecomeThePagesLettersAndOthersAreNamed) {
    std::string out;
    EXPECT_FALSE(Utf8ToPage(kStefanUtf8, out).has_value());
    EXPECT_EQ(kStefanPage, out);
    EXPECT_FALSE(Utf8ToPage(kTaranUtf8, out).has_value());
    EXPECT_EQ(kTaranPage, out);
    // The cedilla forms typed by older keyboards are the same bytes.
    EXPECT_FALSE(Utf8ToPage("\xC5\x9E\xC5\xA3", out).has_value());
    EXPECT_EQ("\xAA\xFE", out);
    // Letters of other alphabets, emoji and controls have no place in the page.
    EXPECT_EQ(char32_t(0x0416), Utf8ToPage("A\xD0\x96\xC3\xB1", out));
    EXPECT_EQ("A??", out);  // the first missing letter is named, each one is "?"
    EXPECT_EQ(char32_t(0x1F600), Utf8ToPage("\xF0\x9F\x98\x80", out));
    EXPECT_EQ(char32_t(0x81), Utf8ToPage("\xC2\x81", out));
}

TEST(Utf8Texts, OnlyWellFormedSequencesAreUtf8) {
    EXPECT_TRUE(IsWellFormedUtf8(kStefanUtf8));
    EXPECT_TRUE(IsWellFormedUtf8("POPA ION"));
    EXPECT_TRUE(IsWellFormedUtf8("\xF4\x8F\xBF\xBF"));   // U+10FFFF
    EXPECT_FALSE(IsWellFormedUtf8(kStefanPage));         // Windows-1250 bytes
    EXPECT_FALSE(IsWellFormedUtf8("\xC0\x80"));          // overlong
    EXPECT_FALSE(IsWellFormedUtf8("\xE0\x80\xAF"));      // overlong
    EXPECT_FALSE(IsWellFormedUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsWellFormedUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsWellFormedUtf8("AB\xC8"));            // cut at the end
    EXPECT_FALSE(IsWellFormedUtf8("\x98TEF"));           // continuation alone
}

// A table as the reader leaves it: a number field and two text fields.
struct ReadTable {
    DataList list;
    DbfTableSpec spec;
    explicit ReadTable(std::uint8_t language = 0) {
        spec.m_language = language;
        for (const char* name : {"CNP", "NUME", "PRENUME"}) {
            const char* type = std::string(name) == "CNP" ? "N" : "C";
            list.AppendColumn(name, type, 100);
            spec.m_names.push_back(name);
            spec.m_types.push_back(type);
        }
    }
    void Add(const std::string& nume, const std::string& prenume) {
        list.AddRowCells({"1800101221144", nume, prenume});
    }
};

TEST(Utf8Texts, AFileIsUtf8WhenItsLanguageOrItsTextsSaySo) {
    ReadTable ascii;
    ascii.Add("POPA  ", "ION");
    EXPECT_FALSE(HoldsUtf8Texts(ascii.list, ascii.spec));

    ReadTable utf8;
    utf8.Add("POPA", "ION");
    utf8.Add(kStefanUtf8 + "   ", kTaranUtf8);
    EXPECT_TRUE(HoldsUtf8Texts(utf8.list, utf8.spec));

    // One single-byte letter anywhere and the whole file is single-byte.
    ReadTable mixed;
    mixed.Add(kStefanUtf8, "ION");
    mixed.Add("POPA", kTaranPage);
    EXPECT_FALSE(HoldsUtf8Texts(mixed.list, mixed.spec));

    // The language byte is believed either way.
    ReadTable saysUtf8(0xF0);
    saysUtf8.Add("POPA", "ION");
    EXPECT_TRUE(HoldsUtf8Texts(saysUtf8.list, saysUtf8.spec));
    ReadTable saysPage(0xC8);
    saysPage.Add(kStefanUtf8, "ION");
    EXPECT_FALSE(HoldsUtf8Texts(saysPage.list, saysPage.spec));
}

TEST(Utf8Texts, ConvertingAFileNamesTheRowsThatCannotBeStored) {
    ReadTable file(0xF0);
    file.Add(kStefanUtf8 + "  ", kTaranUtf8);
    file.Add("\xD0\x96UK", "ION");  // Cyrillic Zhe
    file.Add("POPA",
             "\xAA"
             "TEFAN");  // not UTF-8 although the file says so
    file.Add("POPA", "ION");
    const char* const stored[] = {"NUME", "PRENUME"};
    const std::vector<std::string> refusals = ConvertUtf8Texts(file.list, file.spec, stored);
    ASSERT_EQ(4u, refusals.size());
    EXPECT_EQ("", refusals[0]);
    EXPECT_EQ(kStefanPage + "  ", std::string(file.list.RawCell(0, 1)));
    EXPECT_EQ(kTaranPage, file.list.CellText(0, "PRENUME"));
    EXPECT_EQ(
        "Campul NUME contine caracterul U+0416, care nu exista in setul de caractere al "
        "programului. Inregistrarea a fost ignorata",
        refusals[1]);
    EXPECT_EQ("Campul PRENUME nu este un text UTF-8 corect. Inregistrarea a fost ignorata",
              refusals[2]);
    EXPECT_EQ("", refusals[3]);
    EXPECT_EQ("1800101221144", file.list.CellText(3, "CNP"));
    // A field the import does not keep refuses nothing.
    ReadTable other(0xF0);
    other.Add("\xD0\x96UK", "\xC8\x9AICU");
    const char* const onlyFirstNames[] = {"PRENUME"};
    EXPECT_EQ("", ConvertUtf8Texts(other.list, other.spec, onlyFirstNames)[0]);
    EXPECT_EQ("?UK", other.list.CellText(0, "NUME"));
    EXPECT_EQ("\xDEICU", other.list.CellText(0, "PRENUME"));
}

TEST(ImportNotes, AnUnknownHouseNamesItsReplacement) {
    EXPECT_EQ("; casa CASXX necunoscuta, s-a folosit CAS_B", HouseNote("CASXX"));
    EXPECT_EQ("; casa casab necunoscuta, s-a folosit CAS_B", HouseNote("casab"));
    EXPECT_EQ("; casa necompletata, s-a folosit CAS_B", HouseNote(""));
    // Old codes of known houses and the houses themselves are no replacement.
    for (const char* known : {"CASHG", "CAS_O", "CAS_B", "CASAB", "CASVN"})
        EXPECT_EQ("", HouseNote(known)) << known;
}

TEST(ImportNotes, TheLastMessageCountsTheRowsAlsoWhenAllWereRefused) {
    ImportTally tally;
    tally.rows = {RowEnd::Taken, RowEnd::Refused, RowEnd::TakenNoSums, RowEnd::Taken};
    EXPECT_EQ(std::string(ImportMessages::kSaved) +
                  "\n\nInregistrari citite: 4\nSalvate complet: 2\nSalvate fara sume "
                  "(portocaliu): 1\nRefuzate (rosu): 1",
              ImportMessages::FinishedMessage(tally));
    tally.rows = {RowEnd::Refused, RowEnd::Refused};
    EXPECT_EQ(std::string(ImportMessages::kSaved) +
                  "\n\nInregistrari citite: 2\nSalvate complet: 0\nSalvate fara sume "
                  "(portocaliu): 0\nRefuzate (rosu): 2",
              ImportMessages::FinishedMessage(tally));
}

TEST(ImportMarks, RowsWithoutSumsAreOrangeAndTheNextMarkedRowWrapsAround) {
    DataList list;
    list.AppendColumn("CNP", "C", 100);
    for (int i = 0; i < 6; ++i) list.AddRow("");
    EXPECT_EQ(-1, NextMarkedRow(list, -1));
    ImportTally tally;
    tally.rows = {RowEnd::Taken,       RowEnd::Refused, RowEnd::Taken,
                  RowEnd::TakenNoSums, RowEnd::Taken,   RowEnd::NotReached};
    list.SetRowTextColour(1, kRefusedRowColour);
    PaintRowsWithoutSums(list, tally);
    EXPECT_EQ(kNoSumsRowColour, list.RowColoursAt(3).m_textColour);
    EXPECT_EQ(kSavedRowColour, list.RowColoursAt(0).m_textColour);
    EXPECT_EQ(kSavedRowColour, list.RowColoursAt(5).m_textColour);
    EXPECT_EQ(1, NextMarkedRow(list, -1));
    EXPECT_EQ(3, NextMarkedRow(list, 1));
    EXPECT_EQ(3, NextMarkedRow(list, 2));
    EXPECT_EQ(1, NextMarkedRow(list, 3));  // from the top again
    EXPECT_EQ(1, NextMarkedRow(list, 5));
    // A single marked row is found again from itself.
    list.SetRowTextColour(3, kSavedRowColour);
    EXPECT_EQ(1, NextMarkedRow(list, 1));
}

}  // namespace
