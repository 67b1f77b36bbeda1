// The company used last is selected again in the next company list, in the
// other panel or after a restart, once the program keeps it in its settings.
#include <gtest/gtest.h>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "TestCompanies.h"
#include "TestServer.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"

namespace {

class CompanyMemoryTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
    }
    void TearDown() override {
        CompanyList::KeepLastCompanyIn(nullptr);
        DbTest::TearDown();
    }
    std::unique_ptr<CompanyList> OpenList(CompanyPlace place) {
        m_registers.push_back(std::make_unique<CompanyRegister>(*m_client, place));
        auto list = std::make_unique<CompanyList>(*m_registers.back());
        list->show();
        QTest::qWait(0);  // the remembered company is selected once the window is built
        QApplication::processEvents();
        return list;
    }
    std::vector<std::unique_ptr<CompanyRegister>> m_registers;
};

TEST_F(CompanyMemoryTest, TheLastCompanyFollowsTheUserAcrossListsAndStarts) {
    QTemporaryDir folder;
    QSettings settings(folder.filePath("orvik.ini"), QSettings::IniFormat);
    CompanyList::KeepLastCompanyIn(&settings);
    std::string chosen;
    {
        auto health = OpenList(CompanyPlace::Health);
        EXPECT_EQ(-1, health->SelectedRow());  // nothing used yet
        ASSERT_EQ(2, health->View()->RowCount());
        health->View()->SelectRow(1, true);
        chosen = health->SelectedCode();
    }
    auto leave = OpenList(CompanyPlace::Leave);
    EXPECT_EQ(chosen, leave->SelectedCode());
    settings.sync();

    // The next start reads the same settings file.
    QSettings restarted(folder.filePath("orvik.ini"), QSettings::IniFormat);
    CompanyList::KeepLastCompanyIn(&restarted);
    EXPECT_EQ(chosen, OpenList(CompanyPlace::Health)->SelectedCode());
}

TEST_F(CompanyMemoryTest, WithoutSettingsNothingIsSelected) {
    auto first = OpenList(CompanyPlace::Health);
    first->View()->SelectRow(0, true);
    EXPECT_EQ(-1, OpenList(CompanyPlace::Health)->SelectedRow());
}

}  // namespace
