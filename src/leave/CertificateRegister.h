#pragma once
#include <optional>
#include <string>

#include "base/Outcome.h"
#include "leave/DeclarationRegister.h"

class CClient;
class DataList;

// What the certificate editor is opened with: the declaration the certificate
// belongs to (its index, company code, month, type, rectification number,
// working days and number of employees) and the company's name.
struct CertificateContext {
    DeclarationRecord declaration;
    std::string companyName;
};

// The medical certificates of a declaration as the leave window lists them.
class CertificateRegister {
public:
    explicit CertificateRegister(CClient& client) : m_client(client) {}

    // The declaration's certificates by name.
    Outcome FillList(DataList& list, long long declarationIndex);
    static long long KeyAt(const DataList& list, int row);
    // Shows in `row` the certificate `index` as it was stored.
    Outcome RefreshRow(DataList& list, int row, long long index);
    // A new row at the end showing the certificate `index`; answers the row,
    // or -1 when it could not be read.
    int AppendRow(DataList& list, long long index);

    // Asks, then deletes the certificate with a copy in the change log.
    Outcome Delete(long long index);

    // Whether every certificate of the declaration has its grant date (an
    // old release stored none); nothing when the look-up failed (shown).
    [[nodiscard]] std::optional<bool> AllGranted(long long declarationIndex);

private:
    CClient& m_client;
};
