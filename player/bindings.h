#pragma once

class Audio;
struct lua_State;

// Each registers one part of the console API in the global table.
void openColor(lua_State* L);
void openImage(lua_State* L);  // Image and the screen global
void openControls(lua_State* L);
void openSystem(lua_State* L);
void openTimer(lua_State* L);
void openFont(lua_State* L);   // Font and img:fontPrint
void openSound(lua_State* L, Audio& audio); // Sound, its voices and Music, on the host's mixer
void openFiles(lua_State* L);  // case-insensitive dofile, loadfile, io.open...; os.exit
