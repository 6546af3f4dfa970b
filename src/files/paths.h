// Every path of the console is built from two roots: the installation
// root (normally /usr/share/lumex6/) and the system root (normally /).
// Tests point both at a sandbox folder.
#pragma once
#include <string>

// Both roots always end in "/".
const std::string& func_get_install_root();
const std::string& func_get_system_root();
void func_set_install_root(const std::string& root);
void func_set_system_root(const std::string& root);

// relative is appended to the root ("data/L0.lng" -> root + "data/L0.lng").
std::string func_install_path(const std::string& relative);
std::string func_system_path(const std::string& relative);

// Folder helpers for the fixed sub-folders, each ending in "/".
std::string func_image_dir();          // image/
std::string func_data_dir();           // data/
std::string func_formulas_dir();       // formulas/
std::string func_configuration_dir();  // configuration/
std::string func_log_dir();            // log/
std::string func_splash_dir();         // splash/
std::string func_update_dir();         // update/
std::string func_hd_dir();             // hd/
