// Every path of the console is built from three roots:
// - the installation root (normally /usr/share/lumex6/): the folder the
//   console keeps its data in and writes to. A desktop user who cannot
//   write the installed folder gets a folder of their own here instead.
// - the resource root: where the read-only parts that come with the
//   console are read from (image/, splash/, the language files in data/).
//   It is the installation root unless set apart, so a user's own folder
//   holds only what that user changes.
// - the system root (normally /).
// Tests point all of them at a sandbox folder.
#pragma once
#include <string>

// The folder the build installs the console's files to (CMake's
// LUMEX_INSTALL_ROOT), ending in "/".
const std::string& func_default_install_root();

// Every root always ends in "/". Setting the installation root sets the
// resource root too; func_set_resource_root then moves only the latter.
const std::string& func_get_install_root();
const std::string& func_get_resource_root();
const std::string& func_get_system_root();
void func_set_install_root(const std::string& root);
void func_set_resource_root(const std::string& root);
void func_set_system_root(const std::string& root);

// relative is appended to the root ("data/L0.lng" -> root + "data/L0.lng").
std::string func_install_path(const std::string& relative);
std::string func_resource_path(const std::string& relative);
std::string func_system_path(const std::string& relative);

// Folder helpers for the fixed sub-folders, each ending in "/".
std::string func_image_dir();          // image/ (resource root)
std::string func_splash_dir();         // splash/ (resource root)
std::string func_language_dir();       // data/ of the resource root: L<n>.lng
std::string func_data_dir();           // data/
std::string func_formulas_dir();       // formulas/
std::string func_configuration_dir();  // configuration/
std::string func_log_dir();            // log/
std::string func_update_dir();         // update/
std::string func_hd_dir();             // hd/

// The machine controller's socket: run/lumex6/ipc.sock below the system
// root unless chosen at start (--socket); "" restores that default.
std::string func_ipc_socket_path();
void func_set_ipc_socket_path(const std::string& path);
