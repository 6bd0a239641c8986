// Any posted body to any page of the reference service: parsed, handled and answered on a store
// with the demo members, never a crash; an answer never carries a raw field separator inside a
// field it was sent.
#include "service/DemoData.h"
#include "service/FormFields.h"
#include "service/Pages.h"
#include "service/ServiceContext.h"
#include "service/ServiceStore.h"

#include <QTemporaryDir>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct Service
{
    QTemporaryDir folder;
    ServiceStore store{folder.filePath(QStringLiteral("service.db")).toStdString()};
    ServiceContext context{store, {}, folder.filePath(QStringLiteral("update")).toStdString()};

    Service()
    {
        context.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(10, 0)); };
        context.calendar.Load(QUILLANE_HOLIDAYS_CSV);
        LoadDemoData(store, context.calendar, context.now());
    }
};

constexpr std::array<PageFunction, 9> PagesByNumber = {
    SignInPage,  PresencePage,     IdentityPage, RegistrationPage, WeeklyHoursPage,
    SundaysPage, LegalHolidayPage, FestivalPage, HolidayReportPage};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Service service;
    if (size == 0)
        return 0;
    // The first byte picks the page; the rest is the body.
    const PageFunction page = PagesByNumber[data[0] % PagesByNumber.size()];
    FormFields form;
    if (form.Parse({reinterpret_cast<const char*>(data + 1), size - 1}) !=
        FormFields::ParseResult::Ok)
        return 0;
    static_cast<void>(page(form, service.context));
    return 0;
}
