// Reading one day of a month's log: whole records only, in file order,
// whatever the file holds.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "logs/log_reader.h"
#include "support/core_data_fixture.h"

namespace {
class log_reader_test : public core_data_test {
protected:
    static std::string record(const std::string& date, const std::string& text, int code = 0)
    {
        std::string bytes(LOG_RECORD_SIZE, '\x5A');  // what a writer's buffer held
        memcpy(&bytes[LOG_DATE_OFFSET], date.c_str(), std::min(date.size() + 1, LOG_DATE_SIZE));
        memcpy(&bytes[LOG_TIME_OFFSET], "09:15 AM", 9);
        put_u32_by_hand(bytes, LOG_CODE_OFFSET, static_cast<uint32_t>(code));
        memcpy(&bytes[LOG_TEXT_OFFSET], text.c_str(), std::min(text.size() + 1, LOG_TEXT_SIZE));
        return bytes;
    }
    std::vector<std::string> day(const std::string& file, const std::string& date = "03/15/2024")
    {
        sandbox.write_file("log/03-2024-change.log", file);
        std::vector<log_entry> entries;
        result = func_read_log_day(func_get_month_log_path(LOG_KIND_CHANGE, 3, 2024), date, entries);
        std::vector<std::string> texts;
        for (const log_entry& entry : entries)
            texts.push_back(entry.date + " " + entry.time + " " + std::to_string(entry.code) + " " + entry.text);
        return texts;
    }
    log_read result = LOG_READ_DONE;
};

TEST_F(log_reader_test, the_days_whole_records_in_file_order_damaged_ones_bounded_and_unreadable_files_said)
{
    EXPECT_EQ(func_get_month_log_path(LOG_KIND_SYSERROR, 3, 2024), sandbox.path("log/03-2024-syserror.log"));
    EXPECT_EQ(func_format_log_date(3, 5, 2024), "03/05/2024");
    const std::string mixed = record("03/15/2024", "first", 7) + record("03/14/2024", "other day") +
                              record("03/15/2024", "second", -1) + record("03/15/2024", "cut off").substr(0, 200);
    EXPECT_EQ(day(mixed), (std::vector<std::string>{"03/15/2024 09:15 AM 7 first", "03/15/2024 09:15 AM -1 second"}));
    EXPECT_EQ(result, LOG_READ_DONE);

    // No NUL anywhere in the text or the time: each ends at its field.
    std::string unterminated = record("03/15/2024", std::string(300, 'm'));
    memset(&unterminated[LOG_TIME_OFFSET], 'T', LOG_TIME_SIZE);
    std::string garbage(LOG_RECORD_SIZE * 3, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    const std::string file = unterminated + garbage + record("03/15/2024x", "date runs on") +
                             record("3/15/2024", "unpadded") + record("03/15/2024", "ok \xC3\xA9\xFF tail");
    const std::vector<std::string> texts = day(file);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "03/15/2024 " + std::string(LOG_TIME_SIZE, 'T') + " 0 " + std::string(LOG_TEXT_SIZE, 'm'));
    EXPECT_EQ(texts[1], "03/15/2024 09:15 AM 0 ok \xC3\xA9");  // its valid UTF-8 start

    EXPECT_TRUE(day("").empty());
    EXPECT_EQ(result, LOG_READ_DONE);
    EXPECT_TRUE(day(std::string(291, 'x')).empty());
    std::vector<log_entry> entries;
    EXPECT_EQ(func_read_log_day(sandbox.path("log/01-2024-change.log"), "01/01/2024", entries), LOG_READ_MISSING);
    EXPECT_TRUE(syserror_lines().empty());
    // A folder where the file should be cannot be read: said.
    std::filesystem::create_directories(sandbox.path("log/02-2024-error.log"));
    EXPECT_EQ(func_read_log_day(sandbox.path("log/02-2024-error.log"), "02/01/2024", entries), LOG_READ_FAILED);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(syserror_lines(),
              std::vector<std::string>{"func_load_log : can't read " + sandbox.path("log/02-2024-error.log") +
                                       ": Is a directory"});
}
}  // namespace
