#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <utility>

#include "settings/passwords.h"
#include "support/core_data_fixture.h"

namespace {
std::string password_bytes(const std::string& text, const std::string& second, uint32_t enabled)
{
    std::string bytes(104, '\0');
    bytes.replace(0, text.size(), text);
    bytes.replace(50, second.size(), second);
    put_u32_by_hand(bytes, 100, enabled);
    return bytes;
}
}  // namespace

class PasswordTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        func_allocate_password_records();
        for (password_record* record : {configure_password, program_password, manual_password})
            *record = password_record();
        std::filesystem::create_directories(sandbox.path("data"));
    }
};

std::string text_of(const password_record& record)
{
    return record.password + "|" + record.second_text + "|" + std::to_string(record.enabled);
}

TEST_F(PasswordTest, SaveChangeAndEnableWriteTheRecordLayoutOrLeaveTheFileAsItWas)
{
    password_record record{"Abc", "", 1};
    EXPECT_EQ(func_save_password_to_file(PASSWORD_CONFIGURE, &record), 1);
    EXPECT_EQ(sandbox.read_file("data/password.dat"), password_bytes("Abc", "", 1));
    // Long texts are cut to 49 bytes.
    record = {std::string(70, 'p'), std::string(64, 'E'), 0};
    EXPECT_EQ(func_save_password_to_file(PASSWORD_MANUAL, &record), 1);
    EXPECT_EQ(sandbox.read_file("data/m_password.dat"), password_bytes(std::string(49, 'p'), std::string(49, 'E'), 0));
    EXPECT_TRUE(temporary_files("data").empty());

    std::filesystem::remove_all(sandbox.path("data"));
    EXPECT_EQ(func_save_password_to_file(PASSWORD_PROGRAM, &record), 0);
    EXPECT_EQ(func_save_password_to_file(PASSWORD_PROGRAM, nullptr), 0);
    const std::vector<std::string> logged = syserror_lines();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "func_update_password :can't create/open file " + sandbox.path("data/p_password.dat") +
                             " not found.");

    // Changing and enabling replace the file whole or leave it as it was.
    sandbox.write_file("data/password.dat", std::string(30, '\x01'));
    func_load_password_from_file(PASSWORD_CONFIGURE);
    EXPECT_EQ(func_change_password(PASSWORD_CONFIGURE, "Abc", "aBC"), PASSWORD_CHANGED);
    EXPECT_EQ(sandbox.read_file("data/password.dat"), password_bytes("Abc", "", 1));
    struct stat status {};
    ASSERT_EQ(stat(sandbox.path("data/password.dat").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(func_set_password_enabled(PASSWORD_CONFIGURE, 0), 1);
    EXPECT_EQ(sandbox.read_file("data/password.dat"), password_bytes("Abc", "", 0));

    EXPECT_EQ(func_change_password(PASSWORD_CONFIGURE, "one", "two"), PASSWORD_MISMATCH);
    EXPECT_EQ(func_change_password(PASSWORD_CONFIGURE, std::string(23, 'L'), std::string(23, 'L')),
              PASSWORD_TOO_LONG);
    sandbox.refuse_writes_under({"data"});
    EXPECT_EQ(func_change_password(PASSWORD_CONFIGURE, "New", "New"), PASSWORD_NOT_SAVED);
    EXPECT_EQ(func_set_password_enabled(PASSWORD_CONFIGURE, 1), 0);
    EXPECT_EQ(sandbox.read_file("data/password.dat"), password_bytes("Abc", "", 0));
    EXPECT_EQ(text_of(*configure_password), "Abc||0");
}

TEST_F(PasswordTest, LoadReadsEachKindsFileAndEmptiesTheRecordOnMissingOrShortFiles)
{
    sandbox.write_file("data/p_password.dat", password_bytes("Secret", "junk", 1));
    sandbox.write_file("data/m_password.dat", password_bytes("Hand", "", 0));
    EXPECT_EQ(func_load_password_from_file(PASSWORD_PROGRAM), 1);
    EXPECT_EQ(func_load_password_from_file(PASSWORD_MANUAL), 1);
    EXPECT_EQ(text_of(*program_password), "Secret|junk|1");
    EXPECT_EQ(text_of(*manual_password), "Hand||0");
    // Texts without terminators stay inside their fields.
    sandbox.write_file("data/password.dat", std::string(50, 'x') + std::string(50, 'y') + std::string("\x01\0\0\0", 4));
    EXPECT_EQ(func_load_password_from_file(0), 1);
    EXPECT_EQ(configure_password->password + "|" + configure_password->second_text,
              std::string(50, 'x') + "|" + std::string(50, 'y'));

    std::filesystem::remove(sandbox.path("data/password.dat"));
    EXPECT_EQ(func_load_password_from_file(PASSWORD_CONFIGURE), 0);
    EXPECT_EQ(text_of(*configure_password), "||0");
    // Damaged files never lock anyone out: a wrong size, a flag that is
    // neither 0 nor 1, a text that is not UTF-8.
    std::string bad_flag = password_bytes("Secret", "", 1);
    put_u32_by_hand(bad_flag, 100, 0x7F3A9C01);
    const std::string damaged[] = {password_bytes("Secret", "", 1) + "x", bad_flag,
                                   password_bytes("\xFF\xFEsecret", "", 1)};
    for (const std::string& file : damaged) {
        sandbox.write_file("data/p_password.dat", file);
        *program_password = password_record{"old", "", 1};
        EXPECT_EQ(func_load_password_from_file(PASSWORD_PROGRAM), 1) << file.size();
        EXPECT_EQ(text_of(*program_password), "||0") << file.size();
    }
    // Said once, not at every reading.
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_load_password_from_file : " +
                                                         sandbox.path("data/p_password.dat") +
                                                         " is damaged; the password is taken as not set."});
}

TEST_F(PasswordTest, EncodedPasswordIsHexOfShiftedBytesBetween49And47AndComesFromTheFile)
{
    // 49 -> 31; 'A' 65-13=52 -> 34; 'b' 98-13=85 -> 55; 'c' 99-13=86 -> 56; 47 -> 2F.
    // Bytes below 13 and above 127 wrap to 32-bit values.
    const std::pair<const char*, const char*> cases[] = {
        {"  Abc \t\n", "313455562F"}, {"z", "316D2F"},  // 122-13=109, upper case
        {"\x01", "31FFFFFFF42F"}, {"   ", ""}};
    for (const auto& [text, encoded] : cases)
        EXPECT_EQ(func_encode_password_text(text), encoded) << text;

    sandbox.write_file("data/password.dat", password_bytes("Abc", "stale", 1));
    configure_password->password = "InMemory";
    std::unique_ptr<password_record> encoded(func_get_encoded_password(PASSWORD_CONFIGURE));
    ASSERT_TRUE(encoded);
    EXPECT_EQ(text_of(*encoded), "Abc|313455562F|1");
    // 30 characters give 64 digits, more than the field holds: kept whole.
    sandbox.write_file("data/m_password.dat", password_bytes(std::string(30, 'A'), "", 0));
    encoded.reset(func_get_encoded_password(PASSWORD_MANUAL));
    EXPECT_EQ(encoded->second_text.size(), 64u);
    // Missing, short and empty: empty texts.
    for (const std::string& file : {std::string(), std::string(20, 'Q'), password_bytes("", "left over", 1)}) {
        if (!file.empty())
            sandbox.write_file("data/p_password.dat", file);
        encoded.reset(func_get_encoded_password(PASSWORD_PROGRAM));
        EXPECT_EQ(encoded->password + encoded->second_text, "") << file.size();
    }
}
