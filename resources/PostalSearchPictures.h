#pragma once

#include <QImage>

// The postal-code search's pictures: the background with the hint above the search box, and
// the search button with its pressed twin.

// 450 x 250: a light panel whose top left reads ※동(읍/면)명/아파트명/건물명.
QImage PostalSearchBackground();

// 77 x 18: the button reading 우편번호찾기, or its darker pressed twin.
QImage PostalSearchButton(bool pressed);
