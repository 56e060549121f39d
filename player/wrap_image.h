#pragma once

class Image;
struct lua_State;

inline constexpr const char* kImageType = "Image";
inline constexpr const char* kScreenType = "Screen";

// An Image argument; the screen stands for its back page.
Image& checkImage(lua_State* L, int idx);
