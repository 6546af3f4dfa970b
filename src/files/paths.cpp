#include "files/paths.h"

namespace {
std::string install_root = "/usr/share/lumex6/";
std::string system_root = "/";

std::string with_slash(const std::string& root)
{
    if (root.empty())
        return "/";
    return root.back() == '/' ? root : root + "/";
}
}  // namespace

const std::string& func_get_install_root() { return install_root; }
const std::string& func_get_system_root() { return system_root; }
void func_set_install_root(const std::string& root) { install_root = with_slash(root); }
void func_set_system_root(const std::string& root) { system_root = with_slash(root); }

std::string func_install_path(const std::string& relative)
{
    size_t start = relative.find_first_not_of('/');
    return install_root + (start == std::string::npos ? "" : relative.substr(start));
}

std::string func_system_path(const std::string& relative)
{
    size_t start = relative.find_first_not_of('/');
    return system_root + (start == std::string::npos ? "" : relative.substr(start));
}

std::string func_image_dir() { return func_install_path("image/"); }
std::string func_data_dir() { return func_install_path("data/"); }
std::string func_formulas_dir() { return func_install_path("formulas/"); }
std::string func_configuration_dir() { return func_install_path("configuration/"); }
std::string func_log_dir() { return func_install_path("log/"); }
std::string func_splash_dir() { return func_install_path("splash/"); }
std::string func_update_dir() { return func_install_path("update/"); }
std::string func_hd_dir() { return func_install_path("hd/"); }
