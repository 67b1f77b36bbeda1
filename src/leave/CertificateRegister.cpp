#include "leave/CertificateRegister.h"

#include "datalist/DataList.h"
#include "datalist/ListLayout.h"
#include "db/CClient.h"
#include "db/SqlValues.h"
#include "domain/TextNumbers.h"
#include "leave/CertificateEntry.h"

namespace {

const char* const kListColumns =
    "SELECT c.tip_rectif AS tip, c.cnp, c.cnp_copil, c.prenume, c.nume, c.cas, c.cert_serie, "
    "c.cod_indemn, c.cert_numar, c.cert_init_serie, c.cert_init_numar, c.cod_urg, c.cod_contag, "
    "c.index FROM concedii.concedii AS c WHERE ";

}  // namespace

Outcome CertificateRegister::FillList(DataList& list, long long declarationIndex) {
    if (!m_client.Query(SqlStatement(kListColumns) + "c.id_declaratie=" +
                            SqlInteger(declarationIndex) + " ORDER BY c.nume, c.index",
                        true))
        return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    ApplyListLayout<CertificateRecord>(list, CertificateEntry::Columns());
    return Outcome::Done();
}

long long CertificateRegister::KeyAt(const DataList& list, int row) {
    return row < 0 || row >= list.RowCount() ? 0 : TextToInteger(list.CellText(row, "INDEX"));
}

Outcome CertificateRegister::RefreshRow(DataList& list, int row, long long index) {
    if (!m_client.Query(SqlStatement(kListColumns) + "c.index=" + SqlInteger(index), true) ||
        m_client.RowCount() < 1)
        return Outcome::Stopped();
    list.CopyResultRow(row, m_client.Result(), 0);
    return Outcome::Done(index);
}

int CertificateRegister::AppendRow(DataList& list, long long index) {
    const int row = list.AddRow("");
    if (RefreshRow(list, row, index)) return row;
    list.DeleteRow(row);
    return -1;
}

Outcome CertificateRegister::Delete(long long index) {
    if (!m_client.GetPrompter().AskYesNo("Esti sigur ca vrei sa stergi concediul selectat?"))
        return Outcome::Stopped();
    if (!m_client.DeleteRecord(index, "CONCEDII", "CONCEDII", "")) return Outcome::Stopped();
    return Outcome::Done(index);
}

std::optional<bool> CertificateRegister::AllGranted(long long declarationIndex) {
    if (!m_client.Query(SqlStatement("SELECT * FROM concedii.concedii WHERE id_declaratie = ") +
                           SqlInteger(declarationIndex) + " AND data_acordarii = '0000-00-00'",
                       true))
        return std::nullopt;
    return m_client.RowCount() < 1;
}
