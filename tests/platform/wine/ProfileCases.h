#pragma once

// Settings-file cases shared by the native test and the Windows probe: UTF-8 text, plain C++.

// A key's value in a section; what a lookup of the names reads, or MissingValue.
struct ProfileEntry
{
    const char* section;
    const char* key;
    const char* value;
};

// What a lookup reads when the file has no such section or key.
inline constexpr const char* MissingValue = "<missing>";

// Written in this order by the program's settings code and by the profile API: both files must
// hold the same bytes, and the lookups below read the same from both. 똠, 뷁, 햏 and 갂 are among
// the syllables that only the UHC extension of code page 949 holds.
inline constexpr ProfileEntry ExchangedEntries[] = {
    {"Quillane", "Licence", "12345"},
    {"Quillane", "Name", "김똘이"},
    {"약국", "상호", "똠방각하 약국"},
    {"약국", "주소", "서울시 종로구 1-2 (뷁햏빌딩)"},
    {"약국", "빈칸", ""},
    {"Quillane", "Formula", "a=b;c=[d]"},
    {"QUILLANE", "licence", "54321"},
    {"갂", "똠", "뷁"},
};

inline constexpr ProfileEntry ExchangedLookups[] = {
    {"quillane", "LICENCE", "54321"},
    {"Quillane", "Name", "김똘이"},
    {"약국", "상호", "똠방각하 약국"},
    {"약국", "주소", "서울시 종로구 1-2 (뷁햏빌딩)"},
    {"약국", "빈칸", ""},
    {"Quillane", "Formula", "a=b;c=[d]"},
    {"갂", "똠", "뷁"},
    {"갂", "뷁", MissingValue},
};

// Values that lose their blanks or quotes unless the writer guards them: the program's settings
// code writes them, and the profile API must read them back unchanged (lookups and entries are
// one table).
inline constexpr ProfileEntry GuardedEntries[] = {
    {"Guarded", "Padded", "  양쪽 공백  "},
    {"Guarded", "Tabbed", "\t탭"},
    {"Guarded", "Quoted", "\"똘이\""},
    {"Guarded", "Apostrophes", "'똠'"},
    {"Guarded", "OpeningQuote", "\"열린 따옴표"},
};

// A file as a person may have edited it (lines end in CR LF and the text is code page 949 on
// disk), and what lookups in it read.
inline constexpr const char* HandWrittenFile = "; 설정 파일\n"
                                               "[ Quillane ]\n"
                                               "  Licence  =  12345  \n"
                                               "Name=\"김똘이\"\n"
                                               "Empty=\n"
                                               "Twice=first\n"
                                               "Twice=second\n"
                                               ";Comment=hidden\n"
                                               "Bare\n"
                                               "Inline=12 ; no comment\n"
                                               "Opening=\"열림\n"
                                               "\n"
                                               "[약국]\n"
                                               "똠 = ' 따옴표 안 '\n"
                                               "[quillane]\n"
                                               "Late=in the second section\n";

inline constexpr ProfileEntry HandWrittenLookups[] = {
    {"quillane", "LICENCE", "12345"},
    {"QUILLANE", "name", "김똘이"},
    {"Quillane", "Empty", ""},
    {"Quillane", "Twice", "first"},
    {"Quillane", "Comment", MissingValue},
    {"Quillane", "Bare", MissingValue},
    {"Quillane", "Inline", "12 ; no comment"},
    {"Quillane", "Opening", "\"열림"},
    {"Quillane", "Late", MissingValue},
    {"약국", "똠", " 따옴표 안 "},
    {"약국", "Licence", MissingValue},
    {"없는 구역", "Licence", MissingValue},
};
