// Builds the local database Quillane.MDB (an SQLite file) from the holiday calendar and the
// postal directory, or with a synthetic postal directory of a given size for the benchmarks.
//
//   make_quillane_mdb OUTPUT HOLIDAYS_CSV ZIPCODE_CSV
//   make_quillane_mdb OUTPUT HOLIDAYS_CSV --synthetic-zip ROWS
//
// The CSV files are UTF-8 with a header line and no quoting; an empty field is stored as NULL.
// The file is written beside OUTPUT under a temporary name and then renamed, so a failed run
// never leaves a half-built database behind.

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;
using DatabasePtr = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

const char* const Schema = R"(
CREATE TABLE HOLIDAY (H_DAY TEXT, H_NAME TEXT, H_GUBUN TEXT);
CREATE TABLE qx_ZipCode (Seq INTEGER, Zipcode TEXT, Sido TEXT, Gugun TEXT, Dong TEXT, Ri TEXT,
                         Bunji TEXT);
CREATE INDEX qx_ZipCode_Seq ON qx_ZipCode (Seq);
)";

const std::string HolidayHeader = "H_DAY,H_NAME,H_GUBUN";
const std::string ZipcodeHeader = "Seq,Zipcode,Sido,Gugun,Dong,Ri,Bunji";

Row SplitFields(const std::string& line)
{
    Row fields(1);
    for (const char c : line) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<Row> ReadCsv(const std::string& path, const std::string& header)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    const size_t width = SplitFields(header).size();
    std::vector<Row> rows;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line != header)
            throw std::runtime_error(path + ": the header is not " + header);
        if (number == 1 || line.empty())
            continue;
        Row fields = SplitFields(line);
        if (fields.size() != width)
            throw std::runtime_error(path + ":" + std::to_string(number) + ": expected " +
                                     std::to_string(width) + " fields");
        rows.push_back(std::move(fields));
    }
    return rows;
}

// Deterministic pseudo-random numbers, so that every build makes the same directory.
class Sequence
{
public:
    size_t Next(size_t bound)
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<size_t>(state >> 33) % bound;
    }

private:
    std::uint64_t state = 2026;
};

template <size_t N>
const std::string& Pick(Sequence& sequence, const std::array<std::string, N>& from)
{
    return from[sequence.Next(N)];
}

std::string ThreeDigits(size_t value)
{
    std::string text = std::to_string(value % 1000);
    return std::string(3 - text.size(), '0') + text;
}

// A directory of the given size with Korean names made of two syllables, like the real one:
// two rows in three are a town (동), the others a village (리) of a township (면).
std::vector<Row> SyntheticDirectory(size_t rowCount)
{
    const std::array<std::string, 17> provinces = {
        "서울특별시", "부산광역시",     "대구광역시", "인천광역시", "광주광역시",    "대전광역시",
        "울산광역시", "세종특별자치시", "경기도",     "강원도",     "충청북도",      "충청남도",
        "전라북도",   "전라남도",       "경상북도",   "경상남도",   "제주특별자치도"};
    const std::array<std::string, 40> syllables = {
        "역", "삼", "신", "대", "송", "정", "청", "운", "상", "하", "중", "동", "서", "남",
        "북", "봉", "산", "수", "원", "평", "양", "화", "금", "성", "천", "학", "문", "월",
        "용", "구", "도", "석", "장", "명", "오", "가", "내", "덕", "백", "율"};
    const std::array<std::string, 3> districtKinds = {"시", "군", "구"};
    Sequence sequence;
    std::vector<Row> rows;
    rows.reserve(rowCount);
    for (size_t seq = 1; seq <= rowCount; ++seq) {
        const std::string name = Pick(sequence, syllables) + Pick(sequence, syllables);
        const std::string district =
            Pick(sequence, syllables) + Pick(sequence, syllables) + Pick(sequence, districtKinds);
        const bool village = sequence.Next(3) == 0;
        const std::string township = Pick(sequence, syllables) + Pick(sequence, syllables) + "면";
        const size_t lot = 1 + sequence.Next(999);
        rows.push_back({std::to_string(seq),
                        ThreeDigits(100 + seq / 100) + "-" + ThreeDigits(seq % 1000),
                        Pick(sequence, provinces), district, village ? township : name + "동",
                        village ? name + "리" : "",
                        std::to_string(lot) + "~" + std::to_string(lot + sequence.Next(500))});
    }
    return rows;
}

void Execute(sqlite3* database, const char* sql)
{
    if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(database));
}

void InsertRows(sqlite3* database, const std::string& table, const std::vector<Row>& rows,
                size_t width)
{
    std::string sql = "INSERT INTO " + table + " VALUES (?";
    for (size_t i = 1; i < width; ++i)
        sql += ", ?";
    sql += ")";
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(database, sql.c_str(), -1, &prepared, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(database));
    const StatementPtr insert(prepared, &sqlite3_finalize);
    for (const Row& row : rows) {
        for (size_t i = 0; i < width; ++i) {
            const int parameter = static_cast<int>(i) + 1;
            if (row[i].empty())
                sqlite3_bind_null(insert.get(), parameter);
            else
                sqlite3_bind_text(insert.get(), parameter, row[i].c_str(),
                                  static_cast<int>(row[i].size()), SQLITE_STATIC);
        }
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(database));
        sqlite3_reset(insert.get());
    }
}

void Build(const std::filesystem::path& file, const std::vector<Row>& holidays,
           const std::vector<Row>& directory)
{
    std::filesystem::remove(file);
    sqlite3* opened = nullptr;
    const int status = sqlite3_open(file.string().c_str(), &opened);
    const DatabasePtr database(opened, &sqlite3_close);
    if (status != SQLITE_OK)
        throw std::runtime_error(file.string() + ": cannot be created");
    Execute(database.get(), "BEGIN");
    Execute(database.get(), Schema);
    InsertRows(database.get(), "HOLIDAY", holidays, 3);
    InsertRows(database.get(), "qx_ZipCode", directory, 7);
    Execute(database.get(), "COMMIT");
}

std::vector<Row> Directory(const std::vector<std::string>& arguments)
{
    if (arguments.size() == 4)
        return ReadCsv(arguments[3], ZipcodeHeader);
    if (arguments.size() == 5 && arguments[3] == "--synthetic-zip")
        return SyntheticDirectory(std::stoul(arguments[4]));
    throw std::invalid_argument(
        "usage: make_quillane_mdb OUTPUT HOLIDAYS_CSV (ZIPCODE_CSV | --synthetic-zip ROWS)");
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> arguments(argv, argv + argc);
        const std::vector<Row> directory = Directory(arguments);
        const std::vector<Row> holidays = ReadCsv(arguments[2], HolidayHeader);
        const std::filesystem::path output = arguments[1];
        std::filesystem::path temporary = output;
        temporary += ".tmp";
        Build(temporary, holidays, directory);
        std::filesystem::rename(temporary, output);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "make_quillane_mdb: " << error.what() << '\n';
        return 1;
    }
}
