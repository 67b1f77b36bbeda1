// The schema upgrade ladder: every start repairs the tables and carries an
// older database, one rung at a time, up to the current version.
#include "db/SchemaUpgrade.h"

#include <iterator>

#include "db/CClient.h"
#include "db/LayoutCompletion.h"
#include "db/Transaction.h"

namespace {

using Kind = UpgradeStep::Kind;

// A database that stores no version is as the first release left it.
const char* const kFirstVersion = "1.1 beta";

const char* const kRepairAsigurati =
    "REPAIR TABLE asigurati.asigurati, asigurati.cas, asigurati.coasigurati, asigurati.setari, "
    "asigurati.societati, asigurati.sume, asigurati.sume_societati";
const char* const kRepairConcedii = "REPAIR TABLE concedii.concedii, concedii.declaratii";
const char* const kReadVersion = "SELECT * FROM asigurati.setari AS s WHERE s.denumire='versiune'";
const char* const kDeleteVersion = "DELETE FROM asigurati.setari WHERE denumire='versiune'";

UpgradeStep IfMissing(const char* db, const char* table, const char* column, std::string sql) {
    return {Kind::IfColumnMissing, db, table, column, std::move(sql)};
}

UpgradeStep Always(std::string sql) {
    return {Kind::Run, "", "", "", std::move(sql)};
}

UpgradeStep OrStop(std::string sql) {
    return {Kind::RunOrStop, "", "", "", std::move(sql)};
}

UpgradeStep AddSalariu() {
    return IfMissing("ASIGURATI", "SUME", "SALARIU",
                     "ALTER TABLE asigurati.sume ADD `salariu` DOUBLE NOT NULL AFTER `LUNA`");
}

struct AddedColumn {
    const char* tested;
    const char* written;
    const char* definition;
    const char* after;
};

// Address and bank columns of a company, in the order they are added.
const AddedColumn kCompanyColumns[] = {
    {"LOC", "LOC", "VARCHAR( 100 )", "LUNA_LIC"}, {"STR", "STR", "VARCHAR( 100 )", "LOC"},
    {"NR", "NR", "VARCHAR( 10 )", "STR"},         {"BL", "BL", "VARCHAR( 10 )", "NR"},
    {"SC", "SC", "VARCHAR( 10 )", "BL"},          {"ET", "ET", "VARCHAR( 10 )", "SC"},
    {"AP", "AP", "VARCHAR( 10 )", "ET"},          {"TEL", "TEL", "VARCHAR( 50 )", "AP"},
    {"JUD", "JUD", "VARCHAR( 2 )", "TEL"},        {"SECT", "SECT", "MEDIUMINT", "JUD"},
    {"EMAIL", "EMAIL", "VARCHAR( 50 )", "SECT"},  {"B1", "B1", "VARCHAR( 100 )", "EMAIL"},
    {"F1", "F1", "VARCHAR( 100 )", "B1"},         {"C1", "C1", "VARCHAR( 24 )", "F1"},
    {"B2", "B2", "VARCHAR( 100 )", "C1"},         {"F2", "F2", "VARCHAR( 100 )", "B2"},
    {"C2", "C2", "VARCHAR( 24 )", "F2"},
};

// Medical certificate columns of release 2.07, in the order they are added.
const AddedColumn kCertificateColumns[] = {
    {"CNP_COPIL", "cnp_copil", "DOUBLE", "cnp"},
    {"DATA_ACORDARII", "data_acordarii", "DATE", "cod_contag"},
    {"DATA_INC", "data_inc", "DATE", "data_acordarii"},
    {"DATA_SF", "data_sf", "DATE", "data_inc"},
    {"ZILE_PRESTATII_ANG", "zile_prestatii_ang", "INT", "zile_prestatii"},
    {"SUMA_SUPORTATA_ANG", "suma_suportata_ang", "DOUBLE", "suma_suportata_fnuass"},
    {"LOC_PRES", "loc_pres", "INT", "data_sf"},
    {"BAZA_CALC", "baza_calc", "MEDIUMINT", "loc_pres"},
    {"ZI_BZ_CALC", "ZI_BZ_CALC", "INT", "baza_calc"},
    {"MZBCI", "mzbci", "DOUBLE", "zi_bz_calc"},
    {"ME_NR", "me_nr", "VARCHAR( 10 )", "mzbci"},
    {"VENIT_PRIN_REDUCERE", "venit_prin_reducere", "DOUBLE", "me_nr"},
};

const char* const kDeclarationRedefinitions[] = {
    "ALTER TABLE concedii.declaratii CHANGE `cf` `cf` DOUBLE NOT NULL DEFAULT '0' COMMENT 'CUI'",
    "ALTER TABLE concedii.declaratii CHANGE `nr_ang` `nr_ang` DOUBLE NOT NULL DEFAULT '0' COMMENT "
    "'NR_ANGAJ'",
    "ALTER TABLE concedii.declaratii CHANGE `fond_de_salarii` `fond_de_salarii` DOUBLE NOT NULL "
    "DEFAULT '0' COMMENT 'TOT_SAL_BR'",
    "ALTER TABLE concedii.declaratii CHANGE `contributii_datorate` `contributii_datorate`  DOUBLE "
    "NOT NULL DEFAULT '0' COMMENT 'TOT_CONTRI'",
    "ALTER TABLE concedii.declaratii CHANGE `faambp` `faambp` DOUBLE NOT NULL DEFAULT '0' COMMENT "
    "'FAAMBP'",
    "ALTER TABLE concedii.declaratii CHANGE `faambp_datorat` `faambp_datorat` DOUBLE NOT NULL "
    "DEFAULT '0' COMMENT 'C_FAAMBP'",
    "ALTER TABLE concedii.declaratii CHANGE `suma_de_virat` `suma_de_virat` DOUBLE NOT NULL "
    "DEFAULT '0' COMMENT 'FOND_CONTR'",
    "ALTER TABLE concedii.declaratii CHANGE `de_recuperat_anterior` `de_recuperat_anterior`  "
    "DOUBLE NOT NULL DEFAULT '0' COMMENT 'TOT_ANTER'",
};

void AddColumnSteps(std::vector<UpgradeStep>& steps, const char* db, const char* table,
                    const std::string& alterPrefix, const AddedColumn* begin,
                    const AddedColumn* end) {
    for (const AddedColumn* c = begin; c != end; ++c)
        steps.push_back(IfMissing(db, table, c->tested,
                                  alterPrefix + " ADD `" + c->written + "` " + c->definition +
                                      " NOT NULL AFTER `" + c->after + "`"));
}

std::vector<UpgradeStep> CompanyRung() {
    std::vector<UpgradeStep> steps;
    AddColumnSteps(steps, "ASIGURATI", "SOCIETATI", "ALTER TABLE `asigurati`.`societati`",
                   std::begin(kCompanyColumns), std::end(kCompanyColumns));
    return steps;
}

std::vector<UpgradeStep> LeaveRung18() {
    return {
        IfMissing("CONCEDII", "DECLARATII", "FAAMBP",
                  "ALTER TABLE `concedii`.`declaratii` ADD `faambp` DOUBLE NOT NULL AFTER "
                  "`contributii_datorate`"),
        IfMissing("CONCEDII", "DECLARATII", "FAAMBP_DATORAT",
                  "ALTER TABLE `concedii`.`declaratii` ADD `faambp_datorat` DOUBLE NOT NULL AFTER "
                  "`faambp`"),
        IfMissing("CONCEDII", "DECLARATII", "DE_RECUPERAT_ANTERIOR",
                  "ALTER TABLE `concedii`.`declaratii` ADD `de_recuperat_anterior` DOUBLE NOT "
                  "NULL AFTER `suma_de_recuperat`"),
        IfMissing("CONCEDII", "CONCEDII", "COD_URG",
                  "ALTER TABLE `concedii`.`concedii` ADD `cod_urg` VARCHAR( 3 ) NOT NULL AFTER "
                  "`suma_suportata_fnuass`, ADD `cod_contag` VARCHAR( 2 ) NOT NULL AFTER "
                  "`cod_urg`"),
        Always("UPDATE asigurati.asigurati SET forma='S' WHERE forma='ACC'"),
    };
}

std::vector<UpgradeStep> LeaveRung207() {
    std::vector<UpgradeStep> steps{
        IfMissing("CONCEDII", "DECLARATII", "DE_RECUPERAT_LUNA_CURENTA",
                  "ALTER TABLE concedii.declaratii ADD `de_recuperat_luna_curenta` DOUBLE NOT NULL "
                  "AFTER `de_recuperat_anterior`")};
    for (const char* sql : kDeclarationRedefinitions) steps.push_back(Always(sql));
    AddColumnSteps(steps, "CONCEDII", "CONCEDII", "ALTER TABLE concedii.concedii",
                   std::begin(kCertificateColumns), std::end(kCertificateColumns));
    steps.push_back(Always(
        "ALTER TABLE concedii.concedii CHANGE `prenume` `prenume` VARCHAR( 50 ) CHARACTER SET "
        "utf8 COLLATE utf8_unicode_ci NOT NULL DEFAULT ''"));
    steps.push_back(
        Always("ALTER TABLE concedii.concedii CHANGE `cas` `cas` VARCHAR( 6 ) CHARACTER SET latin1 "
               "COLLATE latin1_swedish_ci NOT NULL DEFAULT ''"));
    return steps;
}

std::vector<UpgradeRung> BuildRungs() {
    return {
        {kFirstVersion, "1.2", {AddSalariu()}},
        {"1.2", "1.3", {AddSalariu()}},
        {"1.3",
         "1.4",
         {IfMissing("ASIGURATI", "SUME", "ID_CNP",
                    "ALTER TABLE `asigurati`.`sume` ADD `ID_CNP` MEDIUMINT NOT NULL FIRST"),
          OrStop("UPDATE asigurati.sume AS s, asigurati.asigurati AS a SET s.id_cnp=a.index WHERE "
                 "\ts.cf=a.cf AND s.cnp=a.cnp"),
          AddSalariu()}},
        {"1.4",
         "1.5",
         {OrStop("UPDATE asigurati.sume AS s SET s.asig_datorat=round(s.asig_datorat), "
                 "s.asig_virat=round(s.asig_virat)")}},
        {"1.5", "1.6", CompanyRung()},
        {"1.6", "1.7", {}},
        {"1.7", "1.8", LeaveRung18()},
        {"1.8", "1.81", {}},
        {"1.81", "1.82", {}},
        {"1.82", "1.83", {}},
        {"1.83", "2.00", {}},
        {"2.00", "2.01", {}},
        {"2.01",
         "2.02",
         {Always("UPDATE asigurati.asigurati AS a SET a.cas='CASHR' WHERE a.cas='CASHG'"),
          Always("UPDATE asigurati.cas AS c SET c.cas='CASHR' WHERE c.cas='CASHG'")}},
        {"2.02",
         "2.03",
         {Always("UPDATE asigurati.asigurati AS a SET a.cas='CAS_A' WHERE a.cas='CAS_O'"),
          Always("UPDATE asigurati.cas AS c SET c.cas='CAS_A' WHERE c.cas='CAS_O'")}},
        {"2.03", "2.04", {}},
        {"2.04", "2.05", {{Kind::RenumberDeclarations, "", "", "", ""}}},
        {"2.05", "2.06", {}},
        {"2.06", "2.07", LeaveRung207()},
        {"2.07", kCurrentSchemaVersion, {}},
    };
}

// Declarations are renumbered from 1 only while no certificate refers to them.
void RenumberDeclarations(CClient& client) {
    if (!client.Query("SELECT * FROM concedii.concedii", true) || client.RowCount() != 0) return;
    // Failures are shown; the ladder goes on as it always did.
    (void)client.RunStatement({"ALTER TABLE concedii.declaratii DROP `index`"});
    (void)client.RunStatement(
        {"ALTER TABLE concedii.declaratii ADD `index` MEDIUMINT NOT NULL AUTO_INCREMENT PRIMARY "
         "KEY"});
}

// False when the step failed in a way that ends the upgrade.
bool RunStep(CClient& client, const UpgradeStep& step) {
    switch (step.kind) {
        case Kind::IfColumnMissing:
            if (!client.ColumnExists(step.db, step.table, step.column))
                (void)client.Query(step.sql, false);
            return true;
        case Kind::Run:
            (void)client.Query(step.sql, false);
            return true;
        case Kind::RunOrStop:
            return client.Query(step.sql, false);
        case Kind::RenumberDeclarations:
            RenumberDeclarations(client);
            return true;
    }
    return true;
}

// The version row is replaced as a whole or not at all: a failure between the
// delete and the insert must not leave a database without its version.
bool WriteVersion(CClient& client, const std::string& version) {
    Transaction transaction(client);
    if (!transaction.Begun()) return false;
    if (!client.RunStatement({kDeleteVersion})) return false;
    client.ClearFields();
    client.AddField("DENUMIRE", "versiune");
    client.AddField("SETARE", version);
    if (!client.InsertRecord("ASIGURATI", "SETARI", "", true)) return false;
    return transaction.Commit();
}

}  // namespace

const std::vector<UpgradeRung>& UpgradeRungs() {
    static const std::vector<UpgradeRung> rungs = BuildRungs();
    return rungs;
}

Outcome UpgradeSchema(CClient& client) {
    if (!client.Query(kRepairAsigurati, true)) return Outcome::Stopped();
    if (!client.Query(kRepairConcedii, true)) return Outcome::Stopped();
    if (!client.Query(kReadVersion, true)) return Outcome::Stopped();
    std::string version = kFirstVersion;
    if (client.RowCount() > 0) version = client.GetValue(0, "SETARE");
    // One pass: each rung is tested after the one before has moved the version.
    for (const UpgradeRung& rung : UpgradeRungs()) {
        if (version != rung.from) continue;
        version = rung.to;
        for (const UpgradeStep& step : rung.steps)
            if (!RunStep(client, step)) return Outcome::Stopped();
    }
    // Old releases left columns without defaults and tables without change
    // logs; the version text stays, these are completed at every start.
    CompleteLayout(client);
    return WriteVersion(client, version) ? Outcome::Done() : Outcome::Stopped();
}
