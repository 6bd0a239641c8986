#include "service/Statement.h"
#include "tests/service/FormBody.h"
#include "tests/service/InProcessService.h"
#include "tests/service/ListingPage.h"

#include <gtest/gtest.h>

namespace {

class ServiceRefusalsTest : public ::testing::Test
{
protected:
    std::string Answer(const char* page, const std::string& body)
    {
        const auto result = service.Post(page, FormBody(body));
        EXPECT_TRUE(result);
        return result ? result->body : std::string();
    }

    std::string SignIn(const std::string& license, const std::string& comName)
    {
        const auto result =
            service.Post("ComCheck2.asp", FormBody("P_PANAME       =x&P_PALICENSE  =" + license +
                                                   "&P_COMNAME    =" + comName));
        EXPECT_TRUE(result);
        return result ? result->get_header_value("Location") : std::string();
    }

    // The notes of the request log, in order, one for each request (empty when not refused).
    std::vector<std::string> Notes()
    {
        std::vector<std::string> notes;
        service.Store().Read([&](sqlite3* db) {
            Statement rows(db, "SELECT note FROM requests ORDER BY id");
            while (rows.Step())
                notes.push_back(rows.Text(0));
        });
        return notes;
    }

    std::int64_t Count(const std::string& sql)
    {
        std::int64_t count = 0;
        service.Store().Read([&](sqlite3* db) {
            Statement row(db, sql);
            row.Step();
            count = row.Int(0);
        });
        return count;
    }

    InProcessService service;
};

std::string Registration(const std::string& license, const std::string& name,
                         const std::string& birth, const std::string& comName)
{
    return "P_PANAME       =" + name + "&P_PALICENSE  =" + license +
           "&P_CNAME      =가짜약국&P_ZIP1       =135&P_ZIP2       =010&P_COMNAME    =" + comName +
           "&P_JUMINNUM   =" + birth + "&P_CHK        =1";
}

const std::string Y = InProcessService::Page("Y");
const std::string N = InProcessService::Page("N");

} // namespace

TEST_F(ServiceRefusalsTest, ARegistrationIsStoredOnlyForTheOwnersIdentity)
{
    const struct
    {
        const char* what;
        std::string body;
        const char* note;
    } refused[] = {
        {"another check computer, wrong birth number",
         Registration("12345", "김똘이", "6503150", "EVIL-PC"), "refused: licence, name"},
        {"another check computer, wrong name",
         Registration("12345", "김돌이", "6503151", "EVIL-PC"), "refused: licence, name"},
        {"licence alone", "P_PALICENSE  =12345&P_COMNAME    =EVIL-PC&P_CHK        =1",
         "refused: licence, name"},
        {"a member who owns no pharmacy, identity right",
         Registration("34567", "이준호", "8811011", "EVIL-PC"), "refused: the member owns no"},
        {"a licence outside the registry", Registration("99999", "김똘이", "6503151", "EVIL-PC"),
         "refused: licence, name"},
        {"a release under another name", Registration("12345", "김돌이", "", ""),
         "refused: licence, name"},
        {"a release by a member who owns no pharmacy", Registration("34567", "이준호", "", ""),
         "refused: the member owns no"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Answer("INPUT3.asp", c.body), N);
    }
    const std::vector<std::string> notes = Notes();
    ASSERT_EQ(notes.size(), std::size(refused));
    for (std::size_t i = 0; i < notes.size(); ++i)
        EXPECT_TRUE(notes[i].starts_with(refused[i].note)) << refused[i].what << ": " << notes[i];

    EXPECT_EQ(SignIn("12345", "COUNTER-PC"), "/Quillane/ComCheckResult.asp?answer=Y");
    EXPECT_EQ(SignIn("12345", "EVIL-PC"), "/Quillane/ComCheckResult.asp?answer=N");
    EXPECT_EQ(SignIn("34567", "EVIL-PC"), "/Quillane/ComCheckResult.asp?answer=Z");
    EXPECT_EQ(service.Get("/")->body.find("가짜약국"), std::string::npos);

    // The owner's own registration and a release with licence and name only are stored.
    EXPECT_EQ(Answer("INPUT3.asp", Registration("12345", "김똘이", "6503151", "NEW-PC")), Y);
    EXPECT_EQ(SignIn("12345", "NEW-PC"), "/Quillane/ComCheckResult.asp?answer=Y");
    EXPECT_EQ(Answer("INPUT3.asp", Registration("45678", "최민정", "", "")), Y);
    EXPECT_EQ(SignIn("45678", "MINJ-PC"), "/Quillane/ComCheckResult.asp?answer=N");
}

TEST_F(ServiceRefusalsTest, PresenceIsKeptOnlyFromTheRegisteredCheckComputer)
{
    const struct
    {
        const char* license;
        const char* comName;
        bool kept;
    } reports[] = {
        {"12345", "EVIL-PC", false},    {"12345", "", false},
        {"45678", "COUNTER-PC", false}, {"99999", "COUNTER-PC", false},
        {"12345", "counter-pc", true},  {"12345", "COUNTER-PC", true},
    };
    for (const auto& r : reports) {
        SCOPED_TRACE(std::string(r.license) + " " + r.comName);
        const std::int64_t before = Count("SELECT count(*) FROM presence_history");
        EXPECT_EQ(Answer("TimeCheck.asp", std::string("P_COMNAME =") + r.comName +
                                              "&P_PALICENSE =" + r.license +
                                              "&P_SENDTIME =2026-12-10 09:59:00&P_Flg = off"),
                  Y)
            << "the program is answered as it expects";
        EXPECT_EQ(Count("SELECT count(*) FROM presence_history"), before + (r.kept ? 1 : 0));
        EXPECT_EQ(Notes().back().empty(), r.kept);
    }
    EXPECT_EQ(Count("SELECT count(*) FROM presence WHERE license = '45678' AND state = 'on'"), 1)
        << "another pharmacy's state stays";
}
