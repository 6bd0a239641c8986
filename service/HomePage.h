#pragma once

#include "service/ServiceContext.h"

#include <string>

// The public home page (UTF-8 HTML, laid out for phones): the pharmacies with their presence
// state, last report and today's hours; who opens on the coming legal holiday and festival; the
// specific Sundays.
std::string HomePage(ServiceContext& context);
