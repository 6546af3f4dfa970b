// A console started in a sandbox and showing the formulas screen, with
// readers for what the operations leave on disk and in the change log.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "entry/data_entry_dialog.h"
#include "formulas/formula_list.h"
#include "formulas/formulas_screen.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "language/language.h"
#include "logs/log_file.h"
#include "support/console_fixture.h"
#include "support/core_data_fixture.h"

class formulas_screen_fixture : public console_gui_test {
protected:
    // The console's clock stands in March 2018 (console_gui_test).
    static constexpr const char* CHANGE_LOG = "log/03-2018-change.log";
    static constexpr const char* SYSERROR_LOG = "log/03-2018-syserror.log";

    void TearDown() override
    {
        func_unload_data_entry_screen();
        if (preloaded_display && preloaded_display[SCREEN_FORMULAS].window)
            gtk_widget_hide(preloaded_display[SCREEN_FORMULAS].window);
        console_gui_test::TearDown();
    }

    static formula_record formula(int number, int active = 1, int steps = 3, int time = 0)
    {
        formula_record record;
        record.number = number;
        char name[32];
        snprintf(name, sizeof name, "Towels %03d", number);
        record.name = name;
        record.active = active;
        record.step_count = steps;
        record.total_time = time ? time : 400 + number;
        return record;
    }

    void write_formula_list(const std::vector<formula_record>& records)
    {
        std::string bytes;
        for (const formula_record& record : records) {
            unsigned char encoded[FORMULA_RECORD_SIZE];
            func_encode_formula_record(record, encoded);
            bytes.append(reinterpret_cast<const char*>(encoded), sizeof encoded);
        }
        sandbox.write_file("formulas/formulas.dat", bytes);
    }

    void write_numbers(int first, int last)
    {
        std::vector<formula_record> records;
        for (int number = first; number <= last; ++number)
            records.push_back(formula(number));
        write_formula_list(records);
    }

    // Start-up, home, then the formulas screen as the home button shows it.
    void open_formulas_screen()
    {
        prepare_console();
        show_home();
        func_show_formulas_screen(nullptr, nullptr);
        func_test_run_loop(60);
    }

    GtkWidget* formulas_window() const { return preloaded_display[SCREEN_FORMULAS].window; }
    GtkWidget* widget(const std::string& name) const { return func_test_find_widget(formulas_window(), name); }
    std::string label(const std::string& name) const { return func_test_label_text(widget(name)); }
    static std::string row_name(const char* prefix, int row)
    {
        char name[40];
        snprintf(name, sizeof name, "%s%03d", prefix, row);
        return name;
    }
    void press_row(int row)
    {
        func_test_release(widget(row_name("btn_frm_name_#", row)));
        func_test_run_loop(20);
    }
    bool sensitive(const std::string& name) const
    {
        GtkWidget* found = widget(name);
        return found && gtk_widget_get_sensitive(found);
    }

    std::vector<formula_record> records_in_file() const
    {
        const std::string bytes = sandbox.read_file("formulas/formulas.dat");
        std::vector<formula_record> records;
        for (size_t at = 0; at + FORMULA_RECORD_SIZE <= bytes.size(); at += FORMULA_RECORD_SIZE) {
            formula_record record;
            func_decode_formula_record(reinterpret_cast<const unsigned char*>(bytes.data() + at), record);
            records.push_back(record);
        }
        return records;
    }
    std::vector<int> numbers_in_file() const
    {
        std::vector<int> numbers;
        for (const formula_record& record : records_in_file())
            numbers.push_back(record.number);
        return numbers;
    }
    const formula_record* record_in_file(int number, std::vector<formula_record>& storage) const
    {
        storage = records_in_file();
        for (const formula_record& record : storage)
            if (record.number == number)
                return &record;
        return nullptr;
    }

    // Rows queued in the change-log transaction: (code, text).
    std::vector<std::pair<int, std::string>> queued_lines() const
    {
        std::vector<std::pair<int, std::string>> lines;
        GtkTreeModel* model = GTK_TREE_MODEL(log_transaction_store);
        GtkTreeIter iter;
        if (!gtk_tree_model_get_iter_first(model, &iter))
            return lines;
        do {
            gint code = 0;
            gchar* text = nullptr;
            gtk_tree_model_get(model, &iter, 0, &code, 1, &text, -1);
            lines.emplace_back(code, text ? text : "");
            g_free(text);
        } while (gtk_tree_model_iter_next(model, &iter));
        return lines;
    }
    std::vector<std::string> change_log() const { return read_log_texts(sandbox.read_file(CHANGE_LOG)); }
    std::vector<std::string> syserror_log() const { return read_log_texts(sandbox.read_file(SYSERROR_LOG)); }

    // Text of the open dialog without the blanks and line breaks around it.
    static std::string dialog_text()
    {
        if (!dialog_window || !dialog_window_message)
            return "";
        std::string text = gtk_label_get_text(GTK_LABEL(dialog_window_message));
        const std::string before = "\n   ", after = "   \n";
        if (text.rfind(before, 0) == 0 && text.size() >= before.size() + after.size())
            text = text.substr(before.size(), text.size() - before.size() - after.size());
        return text;
    }

    page_list_info& formulas_page() const { return page_info[SCREEN_FORMULAS].list; }
};
