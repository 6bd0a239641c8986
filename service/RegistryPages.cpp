#include "service/AnswerPage.h"
#include "service/Pages.h"
#include "service/Statement.h"

#include <array>
#include <optional>
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

enum class Identity
{
    NoMatch,
    NotOwner,
    Owner
};

// What the identity check confirms: the member of the licence with exactly this name and, unless
// a release is asked for, this birth number; an owning pharmacist or not.
Identity IdentityOf(sqlite3* db, const std::string& license, const std::string& name,
                    const std::optional<std::string>& birth)
{
    Statement member(db, "SELECT name, birth, owner FROM members WHERE license = ?1");
    member.Bind(1, license);
    if (license.empty() || !member.Step() || member.Text(0) != name ||
        (birth && member.Text(1) != *birth))
        return Identity::NoMatch;
    return member.Int(2) == 0 ? Identity::NotOwner : Identity::Owner;
}

// The registration's values in the order of its fields.
constexpr std::array<const char*, 15> RegistrationFields{
    "P_PALICENSE", "P_PANAME",   "P_CNAME",    "P_ZIP1",     "P_ZIP2",
    "P_ADDRESS1",  "P_ADDRESS2", "P_ADDRESS3", "P_ADDRESS4", "P_PHONE",
    "P_MOBILE",    "P_FAX",      "P_LOCATION", "P_COMNAME",  "P_JUMINNUM"};
constexpr std::size_t Zip1Field = 3;
constexpr std::size_t Zip2Field = 4;
constexpr std::size_t Address1Field = 5;
constexpr std::size_t Address2Field = 6;
constexpr std::size_t Address3Field = 7;

// A registration that sends the postal code's first part as stored with its second part and the
// three address parts all empty knows the first part only: the stored ones stay.
void KeepStoredAddress(sqlite3* db, const std::string& license,
                       std::array<std::string, RegistrationFields.size()>& values)
{
    for (std::size_t i = Zip2Field; i <= Address3Field; ++i)
        if (!values[i].empty())
            return;
    const PharmacyRecord stored = PharmacyOf(db, license);
    if (stored.zip1 != values[Zip1Field])
        return;
    values[Zip2Field] = stored.zip2;
    values[Address1Field] = stored.province;
    values[Address2Field] = stored.district;
    values[Address3Field] = stored.town;
}

constexpr const char* NoMatchNote = "refused: licence, name or birth number not the member's";
constexpr const char* NotOwnerNote = "refused: the member owns no pharmacy";

} // namespace

// "9": unknown licence, or name or birth number not those of the member; "3": a member who
// is not an owning pharmacist; "1" and the seventeen fields for a confirmed owner.
PageAnswer IdentityPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("PALICENSE");
    const std::string name = form.Value("PANAME");
    const std::string birth = form.Value("JUMINNUM");
    PageAnswer answer;
    context.store.Read([&](sqlite3* db) {
        switch (IdentityOf(db, license, name, birth)) {
        case Identity::NoMatch:
            answer = {"9", {}, NoMatchNote};
            return;
        case Identity::NotOwner:
            answer = {"3", {}, NotOwnerNote};
            return;
        case Identity::Owner: {
            const PharmacyRecord p = PharmacyOf(db, license);
            answer.text = AnswerRecords({"1", p.pharmacy, license, name, p.province, p.district,
                                         p.town, p.zip2, p.phone, p.mobile, p.fax, p.location,
                                         p.comName, birth, p.zip1, p.address, p.detail});
        }
        }
    });
    return answer;
}

// Stores the sixteen fields as received ("Y") when they come from the owning pharmacist: licence,
// name and birth number as the identity check confirms them; a release (an empty P_COMNAME)
// needs licence and name only. Anything else is answered "N" and nothing is stored. Empty address
// parts with the stored first postal part keep the stored address.
PageAnswer RegistrationPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("P_PALICENSE");
    const bool release = form.Value("P_COMNAME").empty();
    std::string refusal;
    context.store.Write([&](sqlite3* db) {
        const Identity identity =
            IdentityOf(db, license, form.Value("P_PANAME"),
                       release ? std::nullopt : std::optional(form.Value("P_JUMINNUM")));
        if (identity != Identity::Owner) {
            refusal = identity == Identity::NotOwner ? NotOwnerNote : NoMatchNote;
            return;
        }
        std::array<std::string, RegistrationFields.size()> values;
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = form.Value(RegistrationFields[i]);
        KeepStoredAddress(db, license, values);
        Statement insert(db, "INSERT OR REPLACE INTO registrations (license, paname, pharmacy, "
                             "zip1, zip2, address1, address2, address3, address4, phone, mobile, "
                             "fax, location, comname, birth, chk, updated) VALUES (?1, ?2, ?3, ?4, "
                             "?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)");
        for (std::size_t i = 0; i < values.size(); ++i)
            insert.Bind(static_cast<int>(i + 1), values[i]);
        insert.Bind(16, form.Value("P_CHK")).Bind(17, context.NowText()).Run();
    });
    return {refusal.empty() ? "Y" : "N", {}, refusal};
}
