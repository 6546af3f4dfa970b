#include "files/paths.h"

#ifndef LUMEX_INSTALL_ROOT
#define LUMEX_INSTALL_ROOT "/usr/share/lumex6/"
#endif

namespace {
std::string with_slash(const std::string& root)
{
    if (root.empty())
        return "/";
    return root.back() == '/' ? root : root + "/";
}

std::string install_root = func_default_install_root();
std::string resource_root = install_root;
std::string system_root = "/";
std::string ipc_socket_path;

std::string below(const std::string& root, const std::string& relative)
{
    size_t start = relative.find_first_not_of('/');
    return root + (start == std::string::npos ? "" : relative.substr(start));
}
}  // namespace

const std::string& func_default_install_root()
{
    static const std::string root = with_slash(LUMEX_INSTALL_ROOT);
    return root;
}

const std::string& func_get_install_root() { return install_root; }
const std::string& func_get_resource_root() { return resource_root; }
const std::string& func_get_system_root() { return system_root; }

void func_set_install_root(const std::string& root)
{
    install_root = with_slash(root);
    resource_root = install_root;
}

void func_set_resource_root(const std::string& root) { resource_root = with_slash(root); }
void func_set_system_root(const std::string& root) { system_root = with_slash(root); }

std::string func_install_path(const std::string& relative) { return below(install_root, relative); }
std::string func_resource_path(const std::string& relative) { return below(resource_root, relative); }
std::string func_system_path(const std::string& relative) { return below(system_root, relative); }

std::string func_image_dir() { return func_resource_path("image/"); }
std::string func_splash_dir() { return func_resource_path("splash/"); }
std::string func_language_dir() { return func_resource_path("data/"); }
std::string func_data_dir() { return func_install_path("data/"); }
std::string func_formulas_dir() { return func_install_path("formulas/"); }
std::string func_configuration_dir() { return func_install_path("configuration/"); }
std::string func_log_dir() { return func_install_path("log/"); }
std::string func_update_dir() { return func_install_path("update/"); }
std::string func_hd_dir() { return func_install_path("hd/"); }

std::string func_ipc_socket_path()
{
    return ipc_socket_path.empty() ? func_system_path("run/lumex6/ipc.sock") : ipc_socket_path;
}
void func_set_ipc_socket_path(const std::string& path) { ipc_socket_path = path; }
