#include "leave/NomenclatureLists.h"

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "domain/TextNumbers.h"

namespace {

constexpr int kCodeWidth = 60;
constexpr int kDescriptionWidth = 550;

struct ListSpec {
    const char* title;
    const char* statement;  // "ORDER BY n.code*1": "2" before "10"
};

ListSpec SpecOf(Nomenclature nomenclature) {
    switch (nomenclature) {
        case Nomenclature::IndemnityCodes:
            return {"Lista codurilor de indemnizatie",
                    "SELECT n.code AS cod, n.description AS descriere FROM "
                    "nomenc.siui_sickleaveindemnizations AS n ORDER BY n.code*1"};
        case Nomenclature::Emergencies:
            return {"Lista urgentelor medico-chirurgicale",
                    "SELECT n.code AS cod, n.description AS descriere FROM "
                    "nomenc.siui_medicochirurgicalemergencies AS n ORDER BY n.code*1"};
        case Nomenclature::InfectiousDiseases:
            break;
    }
    return {"Lista bolilor infecto-contagioase",
            "SELECT n.code AS cod, n.description AS descriere FROM "
            "nomenc.siui_infectocontagiousdiseases AS n ORDER BY n.code*1"};
}

}  // namespace

const char* NomenclatureTitle(Nomenclature nomenclature) {
    return SpecOf(nomenclature).title;
}

std::string PresetCode(Nomenclature nomenclature, const std::string& fieldText) {
    if (nomenclature == Nomenclature::IndemnityCodes) return PadLeftZeros(fieldText, 2);
    return fieldText;
}

std::string CountLine(int rows) {
    return "Numar de inregistrari: " + IntegerToText(rows, false);
}

Outcome NomenclatureLists::FillList(Nomenclature nomenclature, DataList& list) {
    if (!m_client.Query(SpecOf(nomenclature).statement, true)) return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    list.SetColumnWidth("COD", kCodeWidth);
    list.SetColumnWidth("DESCRIERE", kDescriptionWidth);
    return Outcome::Done();
}

int NomenclatureLists::FindCode(const DataList& list, const std::string& code) {
    if (code.empty()) return -1;
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.CellText(row, "COD") == code) return row;
    return -1;
}

NomenclaturePick NomenclatureLists::PickAt(const DataList& list, int row) {
    if (row < 0 || row >= list.RowCount()) return {};
    return {list.CellText(row, "COD"), list.CellText(row, "DESCRIERE")};
}
