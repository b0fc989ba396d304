#include "app_state.h"

std::int32_t g_nUserType = kGeneralUser;
std::uint8_t g_nLastUserType = kGeneralUser;
char g_szLastPassword[36] = {};
