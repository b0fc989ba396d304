// Process-wide state of the login, shared by the main window and the pages.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kGeneralUser = 0;
inline constexpr int kAdministrator = 1;

// User type of the current login: kGeneralUser or kAdministrator. Written only by the login.
extern std::int32_t g_nUserType;
// User-type choice of the last login attempt that reached the camera; preselected next time.
extern std::uint8_t g_nLastUserType;
// The last password sent to the camera, terminated; put back into the next login dialog.
extern char g_szLastPassword[36];

// Puts `size` bytes of `password` (cut to fit, terminated) into g_szLastPassword.
void RememberPassword(const char* password, std::size_t size);
