// A new installation holds every table and column the program's statements
// use, the change-log twins, and the data it starts with.
#include <gtest/gtest.h>

#include <sstream>

#include "TestServer.h"
#include "datalist/DataList.h"

namespace {

class CatalogueTest : public DbTest {};

TEST_F(CatalogueTest, EveryTableHasTheColumnsTheProgramUses) {
    const std::pair<const char*, const char*> catalogue[] = {
        {"asigurati.setari", "index denumire setare ZZ_CONT ZZ_DATA"},
        {"asigurati.societati",
         "index cf denumire reg_com repr ziua_lic luna_lic loc str nr bl sc et ap tel jud sect "
         "email b1 f1 c1 b2 f2 c2 ZZ_CONT ZZ_DATA"},
        {"asigurati.asigurati", "index cf cas nume prenume cnp forma intrare iesire ZZ_CONT ZZ_DATA"},
        {"asigurati.coasigurati", "index cf cnp_asig cnp nume prenume tip ZZ_CONT ZZ_DATA"},
        {"asigurati.sume",
         "id_cnp index cf cnp luna salariu asig_datorat asig_virat ang_datorat ang_virat ZZ_CONT "
         "ZZ_DATA"},
        {"asigurati.sume_societati", "index cf luna fond_de_salarii datorat virat ZZ_CONT ZZ_DATA"},
        {"asigurati.cas", "cas denumire"},
        {"concedii.declaratii",
         "index cf luna rectificativa rectif_nr zile_lucratoare nr_ang salariul_minim "
         "fond_de_salarii contributii_datorate faambp faambp_datorat suma_de_recuperat "
         "de_recuperat_anterior de_recuperat_luna_curenta suma_de_virat ZZ_CONT ZZ_DATA"},
        {"concedii.concedii",
         "index id_declaratie cf cnp cnp_copil nume prenume cas a m s tip_rectif cert_serie "
         "cert_numar cert_init_serie cert_init_numar cod_indemn zile_lucratoare zile_lucrate "
         "zile_prestatii zile_prestatii_ang zile_suportate_fnuass suma_suportata_fnuass "
         "suma_suportata_ang cod_urg cod_contag data_acordarii data_inc data_sf loc_pres "
         "baza_calc zi_bz_calc mzbci me_nr venit_prin_reducere ZZ_CONT ZZ_DATA"},
        {"nomenc.salarii_minime", "zi_start zi_stop salariu"},
        {"nomenc.siui_sickleaveindemnizations", "code description percent"},
        {"nomenc.siui_infectocontagiousdiseases", "code description"},
        {"nomenc.siui_medicochirurgicalemergencies", "code description"},
        {"nomenc.zile_de_sarbatori_legale", "ziua legiferare descriere"},
    };
    for (const auto& [table, columns] : catalogue) {
        std::istringstream names(columns);
        const std::string dot = table;
        const std::string db = dot.substr(0, dot.find('.')), name = dot.substr(dot.find('.') + 1);
        for (std::string column; names >> column;)
            EXPECT_TRUE(m_client->ColumnExists(db, name, column)) << table << "." << column;
        // The guarded tables keep a twin with the log's own columns.
        if (std::string(columns).find("ZZ_CONT") == std::string::npos) continue;
        for (const char* logColumn : {"znew_index", "znew_cont", "znew_op", "index"})
            EXPECT_TRUE(m_client->ColumnExists(db, "zlog_" + name, logColumn))
                << "zlog_" << name << "." << logColumn;
    }
}

TEST_F(CatalogueTest, StartingDataIsInPlace) {
    EXPECT_EQ("2.08", SqlScalar("SELECT setare FROM asigurati.setari WHERE denumire='versiune'"));
    EXPECT_EQ("44", SqlScalar("SELECT COUNT(DISTINCT cas) FROM asigurati.cas"));
    EXPECT_EQ("CASHR", SqlScalar("SELECT cas FROM asigurati.cas WHERE denumire LIKE 'HR%'"));
    EXPECT_EQ("15", SqlScalar("SELECT COUNT(*) FROM nomenc.siui_sickleaveindemnizations"));
    EXPECT_EQ("175", SqlScalar("SELECT COUNT(*) FROM nomenc.siui_medicochirurgicalemergencies"));
    EXPECT_EQ("36", SqlScalar("SELECT COUNT(*) FROM nomenc.siui_infectocontagiousdiseases"));
    EXPECT_EQ("384", SqlScalar("SELECT COUNT(*) FROM nomenc.zile_de_sarbatori_legale"));
    EXPECT_EQ("2000-01-01|2030-12-26",
              SqlScalar("SELECT CONCAT(MIN(ziua), '|', MAX(ziua)) FROM "
                        "nomenc.zile_de_sarbatori_legale"));
    EXPECT_EQ("34", SqlScalar("SELECT COUNT(*) FROM nomenc.salarii_minime"));
}

// Lists show result tables as they come from the server, hidden columns included.
TEST_F(CatalogueTest, AListFillsFromARealResult) {
    RunSql("INSERT INTO asigurati.societati (cf, denumire) VALUES (12345674, 'ALFA'), "
           "(23456783, 'BETA  ')");
    ASSERT_TRUE(
        m_client->Query("SELECT s.denumire, s.cf, s.index, s.ZZ_DATA FROM "
                        "asigurati.societati AS s ORDER BY s.cf",
                        true));
    DataList list;
    list.FillFromResult(m_client->Result());
    ASSERT_EQ(2, list.RowCount());
    EXPECT_EQ("BETA", list.CellText(1, "DENUMIRE"));  // trimmed by the connection
    EXPECT_EQ("23456783", list.CellText(1, "CF"));
    EXPECT_EQ(0, list.Column(list.ColumnIndex("ZZ_DATA")).m_width);
    EXPECT_EQ("N", list.Column(list.ColumnIndex("CF")).m_type);
    ASSERT_TRUE(m_client->Query("SELECT s.cf FROM asigurati.societati AS s WHERE s.cf=0", true));
    list.FillFromResult(m_client->Result());
    EXPECT_EQ(0, list.RowCount());
    EXPECT_EQ(1, list.ColumnCount());
}

}  // namespace
