#pragma once
#include <string>

#include "base/Outcome.h"

class CClient;
class DataList;

// The three nomenclatures the certificate editor picks codes from, each shown
// as a list of COD and DESCRIERE ordered by the code's numeric value.
enum class Nomenclature { IndemnityCodes, Emergencies, InfectiousDiseases };

// The pick list's title.
const char* NomenclatureTitle(Nomenclature nomenclature);

// The code a list opens on for what the editor's code field holds: indemnity
// codes are stored without their leading zero ("5") but listed as "05".
std::string PresetCode(Nomenclature nomenclature, const std::string& fieldText);

// What the user picked.
struct NomenclaturePick {
    std::string code;
    std::string description;
};

// "Numar de inregistrari: " and the count.
std::string CountLine(int rows);

class NomenclatureLists {
public:
    explicit NomenclatureLists(CClient& client) : m_client(client) {}

    // Every row of the nomenclature into `list`, COD 60 and DESCRIERE 550 wide.
    // A failed query has shown its error and stops.
    Outcome FillList(Nomenclature nomenclature, DataList& list);

    // The first row whose COD is exactly `code`; -1 for none or an empty code.
    static int FindCode(const DataList& list, const std::string& code);
    static NomenclaturePick PickAt(const DataList& list, int row);

private:
    CClient& m_client;
};
