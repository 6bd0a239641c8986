#pragma once

#include "service/FormFields.h"
#include "service/ServiceContext.h"

#include <string>

// The answer of a page: its text (records joined with "]"), or the page it forwards to; refusal
// says why the page kept nothing of what it was sent (noted in the request log only).
struct PageAnswer
{
    std::string text;
    std::string redirect;
    std::string refusal;
};

using PageFunction = PageAnswer (*)(const FormFields& form, ServiceContext& context);

// The page a sign-in forwards to, with its answer in the query:
// "/Quillane/ComCheckResult.asp?answer=Y".
inline constexpr const char* SignInResultPage = "ComCheckResult.asp";

PageAnswer SignInPage(const FormFields& form, ServiceContext& context);        // ComCheck2.asp
PageAnswer PresencePage(const FormFields& form, ServiceContext& context);      // TimeCheck.asp
PageAnswer IdentityPage(const FormFields& form, ServiceContext& context);      // Permission.asp
PageAnswer RegistrationPage(const FormFields& form, ServiceContext& context);  // INPUT3.asp
PageAnswer WeeklyHoursPage(const FormFields& form, ServiceContext& context);   // normal3.asp
PageAnswer SundaysPage(const FormFields& form, ServiceContext& context);       // SunDay.asp
PageAnswer LegalHolidayPage(const FormFields& form, ServiceContext& context);  // holiday.asp
PageAnswer FestivalPage(const FormFields& form, ServiceContext& context);      // festival1.asp
PageAnswer HolidayReportPage(const FormFields& form, ServiceContext& context); // hdaycheck.asp
