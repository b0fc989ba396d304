#include "app_state.h"

#include <algorithm>
#include <cstring>

std::int32_t g_nUserType = kGeneralUser;
std::uint8_t g_nLastUserType = kGeneralUser;
char g_szLastPassword[36] = {};

void RememberPassword(const char* password, std::size_t size) {
    std::memset(g_szLastPassword, 0, sizeof g_szLastPassword);
    std::memcpy(g_szLastPassword, password, std::min(size, sizeof g_szLastPassword - 1));
}
