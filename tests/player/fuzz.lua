-- Calls the player's API with hostile arguments, chosen by a seeded generator, for SECONDS
-- seconds of processor time, every call under pcall; then writes the number of calls to
-- count.txt. Run it in a folder holding only a sound x.wav: it writes, renames and removes
-- files there.

local state = SEED
-- Park and Miller's generator: products stay below 2^53, so doubles compute it exactly.
local function random(n)
  state = state * 16807 % 2147483647
  return state % n + 1
end

local root = System.currentDirectory()

-- Objects of every type the player makes, made again from time to time since some calls
-- free them. x.wav is a real sound at first; calls may remove or replace it, and the sound
-- and voice made before are kept then.
local samples
local sound, voice
local function makeSamples()
  local freed = Image.createEmpty(2, 2)
  freed:__gc()
  local font = Font.createMonoSpaced()
  local loaded, newSound = pcall(Sound.load, "x.wav")
  if loaded then
    sound, voice = newSound, newSound:play()
  end
  samples = {
    Image.createEmpty(random(64), random(64)), Image.createEmpty(512, 512), screen, freed,
    Color.new(random(256) - 1, 0, 255), Timer.new(), Controls.read(), font, sound, voice,
  }
end

local numbers = {
  0, 1, -1, 0.5, -0.5, 2, 7, 28, 272, 480, 511, 512, 513,
  2147483647, -2147483648, 2147483648, -2147483649, 2^53, -2^53, 1e300, -1e300, 1/0, -1/0, 0/0,
}
local strings = {
  "", "a", "x.png", "x.jpg", "x.wav", "sub", "SUB/x.lua", "\233t\233", "\140uvre", "No\195\171l",
  "\0hidden", "%", "[", "(", "%b()", "a?a?", string.rep("a?", 150), string.rep("(", 300),
  string.rep("y", 4096), "r", "w", "a+", "rb", "r,ccs=UTF-8", "\27Lua",
}

local function anyValue()
  local kind = random(10)
  if kind <= 3 then
    local n = numbers[random(#numbers)]
    return kind == 3 and n + random(2001) - 1001 or n
  elseif kind <= 5 then
    return strings[random(#strings)]
  elseif kind <= 8 then
    return samples[random(#samples)]
  elseif kind == 9 then
    return ({ true, false, {}, function() end })[random(4)]
  end
  return nil
end

-- Waits are left short: a long one is what the game asked for, not a fault.
local function shortWait()
  return ({ 0, 1, 2, -1, -2147483648, 0/0, "1", nil })[random(8)]
end

local calls = {}
local function add(name, f, waits)
  if type(f) == "function" then
    table.insert(calls, { name = name, f = f, waits = waits })
  end
end
local function addAll(prefix, t)
  local names = {}
  for name in pairs(t) do table.insert(names, name) end
  table.sort(names) -- the same order on every run
  for _, name in ipairs(names) do add(prefix .. name, t[name]) end
end

makeSamples()
for _, module in ipairs({ "Color", "Image", "Controls", "System", "Timer", "Font", "Sound", "Music" }) do
  addAll(module .. ".", _G[module])
end
for i, sample in ipairs(samples) do
  if i ~= 4 then addAll("method " .. i .. ":", getmetatable(sample)) end
end
for i = #calls, 1, -1 do
  local name = calls[i].name
  if name == "System.sleep" or name:find(":waitVblankStart$") then calls[i].waits = true end
  if name:find("__index$") then table.remove(calls, i) end
end
add("dofile", dofile) add("loadfile", loadfile) add("require", require)
add("io.open", io.open) add("io.lines", io.lines) add("os.remove", os.remove) add("os.rename", os.rename)

local count = 0
local stop = os.clock() + SECONDS
while os.clock() < stop do
  for _ = 1, 100 do
    local call = calls[random(#calls)]
    local args = {}
    local n = random(10) - 1
    for k = 1, n do
      if call.waits then args[k] = shortWait() else args[k] = anyValue() end
    end
    pcall(call.f, unpack(args, 1, n))
    count = count + 1
  end
  if count % 5000 == 0 then makeSamples() end
end

System.currentDirectory(root)
local out = io.open("count.txt", "w")
out:write(count)
out:close()
