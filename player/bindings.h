#pragma once

class Audio;
struct lua_State;

// The standard libraries, as far as games may use them.
void openLibraries(lua_State* L);
// Each registers one part of the console API in the global table.
void openColor(lua_State* L);
void openImage(lua_State* L);  // Image and the screen global
void openControls(lua_State* L);
void openSystem(lua_State* L);
// Desktop only: System.reportState, and System.changedFiles when `live`.
void openDesktopSystem(lua_State* L, bool live);
void openTimer(lua_State* L);
void openRandom(lua_State* L);     // math.random on the player's own generator
void openFrameClock(lua_State* L); // os.time, os.clock and os.date on the frame clock
void openFont(lua_State* L);    // Font and img:fontPrint
void openSound(lua_State* L, Audio& audio); // Sound, its voices and Music, on the host's mixer
void openFiles(lua_State* L);   // io.open... with Windows-1252 paths found ignoring case; os.exit
void openScripts(lua_State* L); // dofile, loadfile, load, loadstring, require: no compiled chunks

// Loads the script file named by the string at idx as loadfile does, the game's first script
// too: pushes the chunk, or nil and a message; returns the number of values pushed.
int loadScriptFile(lua_State* L, int idx);
