#include "AnswerPage.h"
#include "Pages.h"
#include "Statement.h"

#include <array>
#include <vector>

namespace {

// The fields of the identity answer after the status, positions 1 to 16.
struct PharmacyRecord
{
    std::string pharmacy, province, district, town, zip1, zip2, address, detail, phone, mobile, fax,
        location, comName;
};

std::string JoinedAddress(const std::string& province, const std::string& district,
                          const std::string& town)
{
    std::string line;
    for (const std::string* part : {&province, &district, &town})
        if (!part->empty())
            line.append(line.empty() ? "" : " ").append(*part);
    return line;
}

// The last registration of the licence, else the association's master record.
PharmacyRecord PharmacyOf(sqlite3* db, const std::string& license)
{
    Statement registration(db, "SELECT pharmacy, address1, address2, address3, zip1, zip2, "
                               "address4, phone, mobile, fax, location, comname "
                               "FROM registrations WHERE license = ?1");
    registration.Bind(1, license);
    if (registration.Step()) {
        PharmacyRecord record{registration.Text(0),
                              registration.Text(1),
                              registration.Text(2),
                              registration.Text(3),
                              registration.Text(4),
                              registration.Text(5),
                              {},
                              registration.Text(6),
                              registration.Text(7),
                              registration.Text(8),
                              registration.Text(9),
                              registration.Text(10),
                              registration.Text(11)};
        record.address = JoinedAddress(record.province, record.district, record.town);
        return record;
    }
    Statement master(db, "SELECT pharmacy, province, district, town, zip1, zip2, address, detail, "
                         "phone, mobile, fax, location FROM masters WHERE license = ?1");
    master.Bind(1, license);
    if (!master.Step())
        return {};
    return {master.Text(0),
            master.Text(1),
            master.Text(2),
            master.Text(3),
            master.Text(4),
            master.Text(5),
            master.Text(6),
            master.Text(7),
            master.Text(8),
            master.Text(9),
            master.Text(10),
            master.Text(11),
            {}};
}

std::string Records(const std::vector<std::string>& fields)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i)
        text.append(i ? "]" : "").append(RecordSafe(fields[i]));
    return text;
}

} // namespace

// "9": unknown licence, or name or birth number not those of the member; "3": a member who
// is not an owning pharmacist; "1" and the seventeen fields for a confirmed owner.
PageAnswer IdentityPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("PALICENSE");
    const std::string name = form.Value("PANAME");
    const std::string birth = form.Value("JUMINNUM");
    std::string answer;
    context.store.Read([&](sqlite3* db) {
        Statement member(db, "SELECT name, birth, owner FROM members WHERE license = ?1");
        member.Bind(1, license);
        if (license.empty() || !member.Step() || member.Text(0) != name ||
            member.Text(1) != birth) {
            answer.assign(1, '9');
            return;
        }
        if (member.Int(2) == 0) {
            answer.assign(1, '3');
            return;
        }
        const PharmacyRecord p = PharmacyOf(db, license);
        answer = Records({"1", p.pharmacy, license, name, p.province, p.district, p.town, p.zip2,
                          p.phone, p.mobile, p.fax, p.location, p.comName, birth, p.zip1, p.address,
                          p.detail});
    });
    return {answer, {}};
}

// Stores the sixteen fields for a licence of the registry ("Y"); an empty P_COMNAME releases the
// check computer. "N" for a licence the registry does not know.
PageAnswer RegistrationPage(const FormFields& form, ServiceContext& context)
{
    static const std::array<const char*, 15> fields{
        "P_PALICENSE", "P_PANAME",   "P_CNAME",    "P_ZIP1",     "P_ZIP2",
        "P_ADDRESS1",  "P_ADDRESS2", "P_ADDRESS3", "P_ADDRESS4", "P_PHONE",
        "P_MOBILE",    "P_FAX",      "P_LOCATION", "P_COMNAME",  "P_JUMINNUM"};
    const std::string license = form.Value("P_PALICENSE");
    bool stored = false;
    context.store.Write([&](sqlite3* db) {
        Statement member(db, "SELECT 1 FROM members WHERE license = ?1");
        member.Bind(1, license);
        if (license.empty() || !member.Step())
            return;
        Statement insert(db, "INSERT OR REPLACE INTO registrations (license, paname, pharmacy, "
                             "zip1, zip2, address1, address2, address3, address4, phone, mobile, "
                             "fax, location, comname, birth, chk, updated) VALUES (?1, ?2, ?3, ?4, "
                             "?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)");
        for (std::size_t i = 0; i < fields.size(); ++i)
            insert.Bind(static_cast<int>(i + 1), form.Value(fields[i]));
        insert.Bind(16, form.Value("P_CHK")).Bind(17, context.NowText()).Run();
        stored = true;
    });
    return {stored ? "Y" : "N", {}};
}
