-- ulvo737_offsets.lua: the Ulvo2FSUIPC offsets 0x9400-0x94FB for FSUIPC Lua.
-- Generated from the plug-in's tables by Ulvo2FSUIPC; do not edit.
--
--   U.read.display05()                the altitude window: a number; 65535 blank
--   U.read.bitword14_bit3()           a lamp or switch: 0 or 1
--   U.send.command_1298_level_up()    a command through the command word 0x9400
--   U.send.command(628)               any command code, 0 to 32767
--   U.turn.knob_94f0(1)               one step up (-1: down); counters wrap at 256
--   U.set.direct_942e(2)              a control byte's value, 0 to 255
--   U.watch("display05", "on_alt")    calls the global on_alt(value) on every change
--
-- Wait until U.read.command_word() is -1 before sending the next command, and move
-- a counter by less than 128 steps between two of the plug-in's 5 ms cycles.
local M = { read = {}, send = {}, turn = {}, set = {}, items = {} }

local readers = { UB = ipc.readUB, SB = ipc.readSB, UW = ipc.readUW, SW = ipc.readSW }
local full = { UB = 0xFF, SB = 0xFF, UW = 0xFFFF, SW = 0xFFFF }

-- What an item's raw number (as its type letters read it) stands for.
function M.decode(item, raw)
  local v = raw
  if item.mask ~= full[item.t] then
    v = logic.Shr(logic.And(v, item.mask), item.shift)
  end
  if item.below and v < item.below then
    v = v + 65536  -- a signed window's value above 32767
  end
  return v / item.div
end

-- A value: offset, type letters, mask, shift, divisor, and for a signed window
-- the lowest value it shows.
local function value(key, ofs, t, mask, shift, div, below)
  local item = { ofs = ofs, t = t, mask = mask, shift = shift, div = div, below = below }
  M.items[key] = item
  M.read[key] = function() return M.decode(item, readers[t](ofs)) end
end

local function command(key, code)
  M.send[key] = function() ipc.writeSW(0x9400, code) end
end

local function counter(key, ofs)
  M.turn[key] = function(steps) ipc.writeUB(ofs, (ipc.readUB(ofs) + steps) % 256) end
end

local function direct(key, ofs)
  M.set[key] = function(v) ipc.writeUB(ofs, v) end
end

function M.send.command(code)
  ipc.writeSW(0x9400, code)
end

-- Calls the global function named fname with the item's value whenever the value
-- changes (not on changes of other bits of its byte). event.offset with the mask
-- applied here, since event.offsetmask is not known to exist in every FSUIPC.
function M.watch(key, fname)
  local item = M.items[key]
  local last = nil
  local hook = "ulvo737_watch_" .. key
  _G[hook] = function(ofs, raw)
    local v = M.decode(item, raw)
    if v ~= last then
      last = v
      _G[fname](v)
    end
  end
  event.offset(item.ofs, item.t, hook)
end


-- Displays
value("display00", 0x9430, "SW", 0xFFFF, 0, 1, -9999)  -- Display00 cabin flight altitude window
value("display01", 0x9432, "SW", 0xFFFF, 0, 1, -9999)  -- Display01 landing altitude window
value("display02", 0x9434, "UW", 0xFFFF, 0, 1)  -- Display02
value("display03", 0x9436, "UW", 0xFFFF, 0, 1)  -- Display03 speed window
value("display04", 0x9438, "UW", 0xFFFF, 0, 1)  -- Display04
value("display05", 0x943A, "UW", 0xFFFF, 0, 1)  -- Display05 altitude window
value("display06", 0x943C, "UW", 0xFFFF, 0, 1)  -- Display06 vertical speed window
value("display07", 0x943E, "UW", 0xFFFF, 0, 1)  -- Display07
value("display08", 0x9440, "UW", 0xFFFF, 0, 1)  -- Display08
value("display09", 0x9442, "UW", 0xFFFF, 0, 1)  -- Display09
value("display10", 0x9444, "UW", 0xFFFF, 0, 1)  -- Display10
value("display11", 0x9446, "UW", 0xFFFF, 0, 1)  -- Display11
value("display12", 0x9448, "SW", 0xFFFF, 0, 1)  -- Display12
value("display13", 0x944A, "UW", 0xFFFF, 0, 1)  -- Display13
value("display14", 0x944C, "UW", 0xFFFF, 0, 1)  -- Display14
value("display15", 0x944E, "UW", 0xFFFF, 0, 1)  -- Display15
value("display16", 0x9450, "UW", 0xFFFF, 0, 1)  -- Display16
value("display17", 0x9452, "UW", 0xFFFF, 0, 1)  -- Display17
value("display18", 0x9454, "UW", 0xFFFF, 0, 1)  -- Display18
value("display19", 0x9456, "UW", 0xFFFF, 0, 1)  -- Display19
value("display20", 0x9458, "UW", 0xFFFF, 0, 1)  -- Display20
value("display21", 0x945A, "UW", 0xFFFF, 0, 1)  -- Display21
value("display22", 0x945C, "UW", 0xFFFF, 0, 1)  -- Display22
value("display23", 0x945E, "UW", 0xFFFF, 0, 1)  -- Display23
value("display24", 0x9460, "UW", 0xFFFF, 0, 1)  -- Display24
value("display25", 0x9462, "UW", 0xFFFF, 0, 1)  -- Display25
value("display26", 0x9464, "UW", 0xFFFF, 0, 1)  -- Display26
value("display27", 0x9466, "UW", 0xFFFF, 0, 1)  -- Display27
value("display28", 0x9468, "UW", 0xFFFF, 0, 1)  -- Display28
value("display29", 0x946A, "UW", 0xFFFF, 0, 1)  -- Display29
value("display30", 0x946C, "UW", 0xFFFF, 0, 1)  -- Display30
value("display31", 0x946E, "UW", 0xFFFF, 0, 1)  -- Display31

-- Lamps and switches
value("bitword00_bit0", 0x9402, "UB", 0x01, 0, 1)  -- BitWord00 bit 0
value("bitword00_bit1", 0x9402, "UB", 0x02, 1, 1)  -- BitWord00 bit 1
value("bitword00_bit2", 0x9402, "UB", 0x04, 2, 1)  -- BitWord00 bit 2
value("bitword00_bit3", 0x9402, "UB", 0x08, 3, 1)  -- BitWord00 bit 3
value("bitword00_bit4", 0x9402, "UB", 0x10, 4, 1)  -- BitWord00 bit 4
value("bitword00_bit5", 0x9402, "UB", 0x20, 5, 1)  -- BitWord00 bit 5
value("bitword00_bit6", 0x9402, "UB", 0x40, 6, 1)  -- BitWord00 bit 6
value("bitword00_bit7", 0x9402, "UB", 0x80, 7, 1)  -- BitWord00 bit 7
value("bitword01_bit0", 0x9403, "UB", 0x01, 0, 1)  -- BitWord01 bit 0
value("bitword01_bit1", 0x9403, "UB", 0x02, 1, 1)  -- BitWord01 bit 1
value("bitword01_bit2", 0x9403, "UB", 0x04, 2, 1)  -- BitWord01 bit 2
value("bitword01_bit3", 0x9403, "UB", 0x08, 3, 1)  -- BitWord01 bit 3
value("bitword01_bit4", 0x9403, "UB", 0x10, 4, 1)  -- BitWord01 bit 4
value("bitword01_bit5", 0x9403, "UB", 0x20, 5, 1)  -- BitWord01 bit 5
value("bitword01_bit6", 0x9403, "UB", 0x40, 6, 1)  -- BitWord01 bit 6
value("bitword01_bit7", 0x9403, "UB", 0x80, 7, 1)  -- BitWord01 bit 7
value("bitword02_bit0", 0x9404, "UB", 0x01, 0, 1)  -- BitWord02 bit 0
value("bitword02_bit1", 0x9404, "UB", 0x02, 1, 1)  -- BitWord02 bit 1
value("bitword02_bit2", 0x9404, "UB", 0x04, 2, 1)  -- BitWord02 bit 2
value("bitword02_bit3", 0x9404, "UB", 0x08, 3, 1)  -- BitWord02 bit 3
value("bitword03_bit0", 0x9405, "UB", 0x01, 0, 1)  -- BitWord03 bit 0
value("bitword03_bit1", 0x9405, "UB", 0x02, 1, 1)  -- BitWord03 bit 1
value("bitword03_bit2", 0x9405, "UB", 0x04, 2, 1)  -- BitWord03 bit 2
value("bitword03_bit3", 0x9405, "UB", 0x08, 3, 1)  -- BitWord03 bit 3
value("bitword03_bit4", 0x9405, "UB", 0x10, 4, 1)  -- BitWord03 bit 4
value("bitword03_bit5", 0x9405, "UB", 0x20, 5, 1)  -- BitWord03 bit 5
value("bitword03_bit6", 0x9405, "UB", 0x40, 6, 1)  -- BitWord03 bit 6
value("bitword03_bit7", 0x9405, "UB", 0x80, 7, 1)  -- BitWord03 bit 7
value("bitword04_bit0", 0x9406, "UB", 0x01, 0, 1)  -- BitWord04 bit 0
value("bitword04_bit1", 0x9406, "UB", 0x02, 1, 1)  -- BitWord04 bit 1
value("bitword04_bit2", 0x9406, "UB", 0x04, 2, 1)  -- BitWord04 bit 2
value("bitword04_bit3", 0x9406, "UB", 0x08, 3, 1)  -- BitWord04 bit 3
value("bitword04_bit4", 0x9406, "UB", 0x10, 4, 1)  -- BitWord04 bit 4
value("bitword04_bit5", 0x9406, "UB", 0x20, 5, 1)  -- BitWord04 bit 5
value("bitword04_bit6", 0x9406, "UB", 0x40, 6, 1)  -- BitWord04 bit 6
value("bitword04_bit7", 0x9406, "UB", 0x80, 7, 1)  -- BitWord04 bit 7
value("bitword05_bits0_1", 0x9407, "UB", 0x03, 0, 1)  -- BitWord05 bits 0-1
value("bitword05_bits2_3", 0x9407, "UB", 0x0C, 2, 1)  -- BitWord05 bits 2-3
value("bitword05_bits4_5", 0x9407, "UB", 0x30, 4, 1)  -- BitWord05 bits 4-5
value("bitword05_bits6_7", 0x9407, "UB", 0xC0, 6, 1)  -- BitWord05 bits 6-7
value("bitword06_bit0", 0x9408, "UB", 0x01, 0, 1)  -- BitWord06 bit 0
value("bitword06_bit1", 0x9408, "UB", 0x02, 1, 1)  -- BitWord06 bit 1
value("bitword06_bit2", 0x9408, "UB", 0x04, 2, 1)  -- BitWord06 bit 2
value("bitword07_bit0", 0x9409, "UB", 0x01, 0, 1)  -- BitWord07 bit 0
value("bitword07_bit1", 0x9409, "UB", 0x02, 1, 1)  -- BitWord07 bit 1
value("bitword07_bit2", 0x9409, "UB", 0x04, 2, 1)  -- BitWord07 bit 2
value("bitword07_bit3", 0x9409, "UB", 0x08, 3, 1)  -- BitWord07 bit 3
value("bitword07_bit4", 0x9409, "UB", 0x10, 4, 1)  -- BitWord07 bit 4
value("bitword07_bit5", 0x9409, "UB", 0x20, 5, 1)  -- BitWord07 bit 5
value("bitword07_bit6", 0x9409, "UB", 0x40, 6, 1)  -- BitWord07 bit 6
value("bitword08_bit0", 0x940A, "UB", 0x01, 0, 1)  -- BitWord08 bit 0
value("bitword08_bit1", 0x940A, "UB", 0x02, 1, 1)  -- BitWord08 bit 1
value("bitword08_bit2", 0x940A, "UB", 0x04, 2, 1)  -- BitWord08 bit 2
value("bitword08_bit3", 0x940A, "UB", 0x08, 3, 1)  -- BitWord08 bit 3
value("bitword08_bit4", 0x940A, "UB", 0x10, 4, 1)  -- BitWord08 bit 4
value("bitword08_bit5", 0x940A, "UB", 0x20, 5, 1)  -- BitWord08 bit 5
value("bitword08_bit6", 0x940A, "UB", 0x40, 6, 1)  -- BitWord08 bit 6
value("bitword08_bit7", 0x940A, "UB", 0x80, 7, 1)  -- BitWord08 bit 7
value("bitword09_bit0", 0x940B, "UB", 0x01, 0, 1)  -- BitWord09 bit 0
value("bitword09_bit1", 0x940B, "UB", 0x02, 1, 1)  -- BitWord09 bit 1
value("bitword09_bits2_3", 0x940B, "UB", 0x0C, 2, 1)  -- BitWord09 bits 2-3
value("bitword09_bits4_5", 0x940B, "UB", 0x30, 4, 1)  -- BitWord09 bits 4-5
value("bitword09_bit6", 0x940B, "UB", 0x40, 6, 1)  -- BitWord09 bit 6
value("bitword09_bit7", 0x940B, "UB", 0x80, 7, 1)  -- BitWord09 bit 7
value("bitword10_bit0", 0x940C, "UB", 0x01, 0, 1)  -- BitWord10 bit 0
value("bitword10_bit1", 0x940C, "UB", 0x02, 1, 1)  -- BitWord10 bit 1
value("bitword10_bit2", 0x940C, "UB", 0x04, 2, 1)  -- BitWord10 bit 2
value("bitword10_bit3", 0x940C, "UB", 0x08, 3, 1)  -- BitWord10 bit 3
value("bitword10_bit4", 0x940C, "UB", 0x10, 4, 1)  -- BitWord10 bit 4
value("bitword10_bit5", 0x940C, "UB", 0x20, 5, 1)  -- BitWord10 bit 5
value("bitword10_bit6", 0x940C, "UB", 0x40, 6, 1)  -- BitWord10 bit 6
value("bitword10_bit7", 0x940C, "UB", 0x80, 7, 1)  -- BitWord10 bit 7
value("bitword11_bit0", 0x940D, "UB", 0x01, 0, 1)  -- BitWord11 bit 0
value("bitword11_bit1", 0x940D, "UB", 0x02, 1, 1)  -- BitWord11 bit 1
value("bitword12_bit0", 0x940E, "UB", 0x01, 0, 1)  -- BitWord12 bit 0
value("bitword12_bit1", 0x940E, "UB", 0x02, 1, 1)  -- BitWord12 bit 1
value("bitword12_bit2", 0x940E, "UB", 0x04, 2, 1)  -- BitWord12 bit 2
value("bitword12_bit3", 0x940E, "UB", 0x08, 3, 1)  -- BitWord12 bit 3
value("bitword12_bit4", 0x940E, "UB", 0x10, 4, 1)  -- BitWord12 bit 4
value("bitword12_bit5", 0x940E, "UB", 0x20, 5, 1)  -- BitWord12 bit 5
value("bitword12_bit6", 0x940E, "UB", 0x40, 6, 1)  -- BitWord12 bit 6
value("bitword12_bit7", 0x940E, "UB", 0x80, 7, 1)  -- BitWord12 bit 7
value("bitword13_bit0", 0x940F, "UB", 0x01, 0, 1)  -- BitWord13 bit 0
value("bitword13_bit1", 0x940F, "UB", 0x02, 1, 1)  -- BitWord13 bit 1
value("bitword13_bit2", 0x940F, "UB", 0x04, 2, 1)  -- BitWord13 bit 2
value("bitword13_bit3", 0x940F, "UB", 0x08, 3, 1)  -- BitWord13 bit 3
value("bitword13_bit4", 0x940F, "UB", 0x10, 4, 1)  -- BitWord13 bit 4
value("bitword13_bit5", 0x940F, "UB", 0x20, 5, 1)  -- BitWord13 bit 5
value("bitword13_bit6", 0x940F, "UB", 0x40, 6, 1)  -- BitWord13 bit 6
value("bitword13_bit7", 0x940F, "UB", 0x80, 7, 1)  -- BitWord13 bit 7
value("bitword14_bit0", 0x9410, "UB", 0x01, 0, 1)  -- BitWord14 bit 0
value("bitword14_bit1", 0x9410, "UB", 0x02, 1, 1)  -- BitWord14 bit 1
value("bitword14_bit2", 0x9410, "UB", 0x04, 2, 1)  -- BitWord14 bit 2
value("bitword14_bit3", 0x9410, "UB", 0x08, 3, 1)  -- BitWord14 bit 3
value("bitword14_bit4", 0x9410, "UB", 0x10, 4, 1)  -- BitWord14 bit 4
value("bitword14_bit5", 0x9410, "UB", 0x20, 5, 1)  -- BitWord14 bit 5
value("bitword14_bit6", 0x9410, "UB", 0x40, 6, 1)  -- BitWord14 bit 6
value("bitword14_bit7", 0x9410, "UB", 0x80, 7, 1)  -- BitWord14 bit 7
value("bitword15_bit0", 0x9411, "UB", 0x01, 0, 1)  -- BitWord15 bit 0
value("bitword15_bit1", 0x9411, "UB", 0x02, 1, 1)  -- BitWord15 bit 1
value("bitword15_bit2", 0x9411, "UB", 0x04, 2, 1)  -- BitWord15 bit 2
value("bitword15_bit3", 0x9411, "UB", 0x08, 3, 1)  -- BitWord15 bit 3
value("bitword15_bit4", 0x9411, "UB", 0x10, 4, 1)  -- BitWord15 bit 4
value("bitword15_bit5", 0x9411, "UB", 0x20, 5, 1)  -- BitWord15 bit 5
value("bitword15_bit6", 0x9411, "UB", 0x40, 6, 1)  -- BitWord15 bit 6
value("bitword15_bit7", 0x9411, "UB", 0x80, 7, 1)  -- BitWord15 bit 7
value("bitword16_bit0", 0x9412, "UB", 0x01, 0, 1)  -- BitWord16 bit 0
value("bitword16_bit1", 0x9412, "UB", 0x02, 1, 1)  -- BitWord16 bit 1
value("bitword16_bit2", 0x9412, "UB", 0x04, 2, 1)  -- BitWord16 bit 2
value("bitword17_bit0", 0x9413, "UB", 0x01, 0, 1)  -- BitWord17 bit 0
value("bitword17_bit1", 0x9413, "UB", 0x02, 1, 1)  -- BitWord17 bit 1
value("bitword17_bit2", 0x9413, "UB", 0x04, 2, 1)  -- BitWord17 bit 2
value("bitword17_bit3", 0x9413, "UB", 0x08, 3, 1)  -- BitWord17 bit 3
value("bitword17_bit4", 0x9413, "UB", 0x10, 4, 1)  -- BitWord17 bit 4
value("bitword17_bit5", 0x9413, "UB", 0x20, 5, 1)  -- BitWord17 bit 5
value("bitword17_bit6", 0x9413, "UB", 0x40, 6, 1)  -- BitWord17 bit 6
value("bitword17_bit7", 0x9413, "UB", 0x80, 7, 1)  -- BitWord17 bit 7
value("bitword18_bit0", 0x9414, "UB", 0x01, 0, 1)  -- BitWord18 bit 0
value("bitword18_bit1", 0x9414, "UB", 0x02, 1, 1)  -- BitWord18 bit 1
value("bitword18_bit2", 0x9414, "UB", 0x04, 2, 1)  -- BitWord18 bit 2
value("bitword18_bit3", 0x9414, "UB", 0x08, 3, 1)  -- BitWord18 bit 3
value("bitword18_bit4", 0x9414, "UB", 0x10, 4, 1)  -- BitWord18 bit 4
value("bitword18_bit5", 0x9414, "UB", 0x20, 5, 1)  -- BitWord18 bit 5
value("bitword18_bit6", 0x9414, "UB", 0x40, 6, 1)  -- BitWord18 bit 6
value("bitword18_bit7", 0x9414, "UB", 0x80, 7, 1)  -- BitWord18 bit 7
value("bitword19_bit0", 0x9415, "UB", 0x01, 0, 1)  -- BitWord19 bit 0
value("bitword19_bit1", 0x9415, "UB", 0x02, 1, 1)  -- BitWord19 bit 1
value("bitword19_bit2", 0x9415, "UB", 0x04, 2, 1)  -- BitWord19 bit 2
value("bitword19_bit3", 0x9415, "UB", 0x08, 3, 1)  -- BitWord19 bit 3
value("bitword21_bit0", 0x9416, "UB", 0x01, 0, 1)  -- BitWord21 bit 0
value("bitword21_bit1", 0x9416, "UB", 0x02, 1, 1)  -- BitWord21 bit 1
value("bitword21_bit2", 0x9416, "UB", 0x04, 2, 1)  -- BitWord21 bit 2
value("bitword21_bit3", 0x9416, "UB", 0x08, 3, 1)  -- BitWord21 bit 3
value("bitword21_bit4", 0x9416, "UB", 0x10, 4, 1)  -- BitWord21 bit 4
value("bitword21_bit5", 0x9416, "UB", 0x20, 5, 1)  -- BitWord21 bit 5
value("bitword22_bit0", 0x9417, "UB", 0x01, 0, 1)  -- BitWord22 bit 0
value("bitword22_bit1", 0x9417, "UB", 0x02, 1, 1)  -- BitWord22 bit 1
value("bitword22_bit2", 0x9417, "UB", 0x04, 2, 1)  -- BitWord22 bit 2
value("bitword22_bit3", 0x9417, "UB", 0x08, 3, 1)  -- BitWord22 bit 3
value("bitword22_bit4", 0x9417, "UB", 0x10, 4, 1)  -- BitWord22 bit 4
value("bitword22_bit5", 0x9417, "UB", 0x20, 5, 1)  -- BitWord22 bit 5
value("bitword22_bit6", 0x9417, "UB", 0x40, 6, 1)  -- BitWord22 bit 6
value("bitword22_bit7", 0x9417, "UB", 0x80, 7, 1)  -- BitWord22 bit 7
value("bitword23_bit0", 0x9418, "UB", 0x01, 0, 1)  -- BitWord23 bit 0
value("bitword23_bit1", 0x9418, "UB", 0x02, 1, 1)  -- BitWord23 bit 1
value("bitword23_bit2", 0x9418, "UB", 0x04, 2, 1)  -- BitWord23 bit 2
value("bitword23_bit3", 0x9418, "UB", 0x08, 3, 1)  -- BitWord23 bit 3
value("bitword23_bit4", 0x9418, "UB", 0x10, 4, 1)  -- BitWord23 bit 4
value("bitword23_bit5", 0x9418, "UB", 0x20, 5, 1)  -- BitWord23 bit 5
value("bitword23_bit6", 0x9418, "UB", 0x40, 6, 1)  -- BitWord23 bit 6
value("bitword23_bit7", 0x9418, "UB", 0x80, 7, 1)  -- BitWord23 bit 7
value("bitword24_bit0", 0x9419, "UB", 0x01, 0, 1)  -- BitWord24 bit 0
value("bitword24_bit1", 0x9419, "UB", 0x02, 1, 1)  -- BitWord24 bit 1
value("bitword24_bit2", 0x9419, "UB", 0x04, 2, 1)  -- BitWord24 bit 2
value("bitword24_bit3", 0x9419, "UB", 0x08, 3, 1)  -- BitWord24 bit 3
value("bitword25_bits0_1", 0x941A, "UB", 0x03, 0, 1)  -- BitWord25 bits 0-1
value("bitword25_bits2_3", 0x941A, "UB", 0x0C, 2, 1)  -- BitWord25 bits 2-3
value("bitword25_bits4_5", 0x941A, "UB", 0x30, 4, 1)  -- BitWord25 bits 4-5
value("bitword25_bits6_7", 0x941A, "UB", 0xC0, 6, 1)  -- BitWord25 bits 6-7
value("bitword26_bit0", 0x941B, "UB", 0x01, 0, 1)  -- BitWord26 bit 0
value("bitword26_bits1_2", 0x941B, "UB", 0x06, 1, 1)  -- BitWord26 bits 1-2
value("bitword26_bit3", 0x941B, "UB", 0x08, 3, 1)  -- BitWord26 bit 3
value("bitword27_bit0", 0x941C, "UB", 0x01, 0, 1)  -- BitWord27 bit 0
value("bitword27_bit1", 0x941C, "UB", 0x02, 1, 1)  -- BitWord27 bit 1
value("bitword27_bit2", 0x941C, "UB", 0x04, 2, 1)  -- BitWord27 bit 2
value("bitword27_bit3", 0x941C, "UB", 0x08, 3, 1)  -- BitWord27 bit 3
value("bitword27_bit4", 0x941C, "UB", 0x10, 4, 1)  -- BitWord27 bit 4
value("bitword27_bit5", 0x941C, "UB", 0x20, 5, 1)  -- BitWord27 bit 5
value("bitword28_bit0", 0x941D, "UB", 0x01, 0, 1)  -- BitWord28 bit 0
value("bitword28_bit1", 0x941D, "UB", 0x02, 1, 1)  -- BitWord28 bit 1
value("bitword28_bit2", 0x941D, "UB", 0x04, 2, 1)  -- BitWord28 bit 2
value("bitword28_bit3", 0x941D, "UB", 0x08, 3, 1)  -- BitWord28 bit 3
value("bitword28_bit4", 0x941D, "UB", 0x10, 4, 1)  -- BitWord28 bit 4
value("bitword28_bit5", 0x941D, "UB", 0x20, 5, 1)  -- BitWord28 bit 5
value("bitword29_bit0", 0x941E, "UB", 0x01, 0, 1)  -- BitWord29 bit 0
value("bitword29_bit1", 0x941E, "UB", 0x02, 1, 1)  -- BitWord29 bit 1
value("bitword29_bit2", 0x941E, "UB", 0x04, 2, 1)  -- BitWord29 bit 2
value("bitword29_bit3", 0x941E, "UB", 0x08, 3, 1)  -- BitWord29 bit 3
value("bitword29_bit4", 0x941E, "UB", 0x10, 4, 1)  -- BitWord29 bit 4
value("bitword29_bit5", 0x941E, "UB", 0x20, 5, 1)  -- BitWord29 bit 5
value("bitword29_bit6", 0x941E, "UB", 0x40, 6, 1)  -- BitWord29 bit 6
value("bitword29_bit7", 0x941E, "UB", 0x80, 7, 1)  -- BitWord29 bit 7
value("bitword30_byte", 0x941F, "UB", 0xFF, 0, 1)  -- BitWord30 whole byte
value("bitword31_bit0", 0x9420, "UB", 0x01, 0, 1)  -- BitWord31 bit 0
value("bitword31_bit1", 0x9420, "UB", 0x02, 1, 1)  -- BitWord31 bit 1
value("bitword31_bit2", 0x9420, "UB", 0x04, 2, 1)  -- BitWord31 bit 2
value("bitword31_bit3", 0x9420, "UB", 0x08, 3, 1)  -- BitWord31 bit 3
value("bitword31_bit4", 0x9420, "UB", 0x10, 4, 1)  -- BitWord31 bit 4
value("bitword31_bit5", 0x9420, "UB", 0x20, 5, 1)  -- BitWord31 bit 5
value("bitword31_bit6", 0x9420, "UB", 0x40, 6, 1)  -- BitWord31 bit 6
value("bitword31_bit7", 0x9420, "UB", 0x80, 7, 1)  -- BitWord31 bit 7
value("bitword32_bit0", 0x9421, "UB", 0x01, 0, 1)  -- BitWord32 bit 0
value("bitword32_bit1", 0x9421, "UB", 0x02, 1, 1)  -- BitWord32 bit 1
value("bitword32_bit2", 0x9421, "UB", 0x04, 2, 1)  -- BitWord32 bit 2
value("bitword32_bit3", 0x9421, "UB", 0x08, 3, 1)  -- BitWord32 bit 3
value("bitword32_bit4", 0x9421, "UB", 0x10, 4, 1)  -- BitWord32 bit 4
value("bitword32_bit5", 0x9421, "UB", 0x20, 5, 1)  -- BitWord32 bit 5
value("bitword32_bit6", 0x9421, "UB", 0x40, 6, 1)  -- BitWord32 bit 6
value("bitword32_bit7", 0x9421, "UB", 0x80, 7, 1)  -- BitWord32 bit 7
value("bitword33_bit0", 0x9422, "UB", 0x01, 0, 1)  -- BitWord33 bit 0
value("bitword33_bit1", 0x9422, "UB", 0x02, 1, 1)  -- BitWord33 bit 1
value("bitword33_bit2", 0x9422, "UB", 0x04, 2, 1)  -- BitWord33 bit 2
value("bitword34_bit0", 0x9423, "UB", 0x01, 0, 1)  -- BitWord34 bit 0
value("bitword34_bit1", 0x9423, "UB", 0x02, 1, 1)  -- BitWord34 bit 1
value("bitword34_bit2", 0x9423, "UB", 0x04, 2, 1)  -- BitWord34 bit 2
value("bitword34_bit3", 0x9423, "UB", 0x08, 3, 1)  -- BitWord34 bit 3
value("bitword34_bit4", 0x9423, "UB", 0x10, 4, 1)  -- BitWord34 bit 4
value("bitword34_bit5", 0x9423, "UB", 0x20, 5, 1)  -- BitWord34 bit 5
value("bitword34_bit6", 0x9423, "UB", 0x40, 6, 1)  -- BitWord34 bit 6
value("bitword34_bit7", 0x9423, "UB", 0x80, 7, 1)  -- BitWord34 bit 7
value("bitword35_bit0", 0x9424, "UB", 0x01, 0, 1)  -- BitWord35 bit 0
value("bitword35_bit1", 0x9424, "UB", 0x02, 1, 1)  -- BitWord35 bit 1
value("bitword35_bit2", 0x9424, "UB", 0x04, 2, 1)  -- BitWord35 bit 2
value("bitword35_bit3", 0x9424, "UB", 0x08, 3, 1)  -- BitWord35 bit 3
value("bitword35_bit4", 0x9424, "UB", 0x10, 4, 1)  -- BitWord35 bit 4
value("bitword35_bit5", 0x9424, "UB", 0x20, 5, 1)  -- BitWord35 bit 5
value("bitword35_bit6", 0x9424, "UB", 0x40, 6, 1)  -- BitWord35 bit 6
value("bitword35_bit7", 0x9424, "UB", 0x80, 7, 1)  -- BitWord35 bit 7
value("bitword36_bit0", 0x9425, "UB", 0x01, 0, 1)  -- BitWord36 bit 0
value("bitword36_bit1", 0x9425, "UB", 0x02, 1, 1)  -- BitWord36 bit 1
value("bitword36_bit2", 0x9425, "UB", 0x04, 2, 1)  -- BitWord36 bit 2
value("bitword36_bit3", 0x9425, "UB", 0x08, 3, 1)  -- BitWord36 bit 3
value("bitword36_bit4", 0x9425, "UB", 0x10, 4, 1)  -- BitWord36 bit 4
value("bitword36_bit5", 0x9425, "UB", 0x20, 5, 1)  -- BitWord36 bit 5
value("bitword36_bit6", 0x9425, "UB", 0x40, 6, 1)  -- BitWord36 bit 6
value("bitword36_bit7", 0x9425, "UB", 0x80, 7, 1)  -- BitWord36 bit 7
value("bitword37_bit0", 0x9426, "UB", 0x01, 0, 1)  -- BitWord37 bit 0
value("bitword37_bit1", 0x9426, "UB", 0x02, 1, 1)  -- BitWord37 bit 1
value("bitword37_bit2", 0x9426, "UB", 0x04, 2, 1)  -- BitWord37 bit 2
value("bitword38_bit0", 0x9427, "UB", 0x01, 0, 1)  -- BitWord38 bit 0
value("bitword38_bit1", 0x9427, "UB", 0x02, 1, 1)  -- BitWord38 bit 1
value("bitword38_bit2", 0x9427, "UB", 0x04, 2, 1)  -- BitWord38 bit 2
value("bitword38_bit3", 0x9427, "UB", 0x08, 3, 1)  -- BitWord38 bit 3
value("bitword38_bit4", 0x9427, "UB", 0x10, 4, 1)  -- BitWord38 bit 4
value("bitword38_bit5", 0x9427, "UB", 0x20, 5, 1)  -- BitWord38 bit 5
value("bitword38_bit6", 0x9427, "UB", 0x40, 6, 1)  -- BitWord38 bit 6
value("bitword38_bit7", 0x9427, "UB", 0x80, 7, 1)  -- BitWord38 bit 7
value("bitword20_bit0", 0x9429, "UB", 0x01, 0, 1)  -- BitWord20 bit 0
value("bitword20_bit1", 0x9429, "UB", 0x02, 1, 1)  -- BitWord20 bit 1
value("bitword20_bit2", 0x9429, "UB", 0x04, 2, 1)  -- BitWord20 bit 2
value("bitword20_bit3", 0x9429, "UB", 0x08, 3, 1)  -- BitWord20 bit 3
value("bitword45_bit0", 0x942A, "UB", 0x01, 0, 1)  -- BitWord45 bit 0
value("bitword45_bit1", 0x942A, "UB", 0x02, 1, 1)  -- BitWord45 bit 1
value("bitword39_bit0", 0x947D, "UB", 0x01, 0, 1)  -- BitWord39 bit 0
value("bitword39_bit1", 0x947D, "UB", 0x02, 1, 1)  -- BitWord39 bit 1
value("bitword39_bit2", 0x947D, "UB", 0x04, 2, 1)  -- BitWord39 bit 2
value("bitword39_bit3", 0x947D, "UB", 0x08, 3, 1)  -- BitWord39 bit 3
value("bitword39_bit4", 0x947D, "UB", 0x10, 4, 1)  -- BitWord39 bit 4
value("bitword39_bit5", 0x947D, "UB", 0x20, 5, 1)  -- BitWord39 bit 5
value("bitword39_bit6", 0x947D, "UB", 0x40, 6, 1)  -- BitWord39 bit 6
value("bitword40_bit0", 0x947E, "UB", 0x01, 0, 1)  -- BitWord40 bit 0
value("bitword40_bit1", 0x947E, "UB", 0x02, 1, 1)  -- BitWord40 bit 1
value("bitword40_bit2", 0x947E, "UB", 0x04, 2, 1)  -- BitWord40 bit 2
value("bitword40_bit3", 0x947E, "UB", 0x08, 3, 1)  -- BitWord40 bit 3
value("bitword40_bit4", 0x947E, "UB", 0x10, 4, 1)  -- BitWord40 bit 4
value("bitword40_bit5", 0x947E, "UB", 0x20, 5, 1)  -- BitWord40 bit 5
value("bitword40_bit6", 0x947E, "UB", 0x40, 6, 1)  -- BitWord40 bit 6
value("bitword41_bit0", 0x947F, "UB", 0x01, 0, 1)  -- BitWord41 bit 0
value("bitword41_bit1", 0x947F, "UB", 0x02, 1, 1)  -- BitWord41 bit 1
value("bitword41_bit2", 0x947F, "UB", 0x04, 2, 1)  -- BitWord41 bit 2
value("bitword41_bit3", 0x947F, "UB", 0x08, 3, 1)  -- BitWord41 bit 3
value("bitword41_bit4", 0x947F, "UB", 0x10, 4, 1)  -- BitWord41 bit 4
value("bitword41_bit5", 0x947F, "UB", 0x20, 5, 1)  -- BitWord41 bit 5
value("bitword43_bit1", 0x948E, "UB", 0x02, 1, 1)  -- BitWord43 bit 1
value("bitword43_bit2", 0x948E, "UB", 0x04, 2, 1)  -- BitWord43 bit 2
value("bitword43_bit3", 0x948E, "UB", 0x08, 3, 1)  -- BitWord43 bit 3
value("bitword43_bit4", 0x948E, "UB", 0x10, 4, 1)  -- BitWord43 bit 4
value("bitword43_bit5", 0x948E, "UB", 0x20, 5, 1)  -- BitWord43 bit 5
value("bitword43_bit6", 0x948E, "UB", 0x40, 6, 1)  -- BitWord43 bit 6
value("bitword43_bit7", 0x948E, "UB", 0x80, 7, 1)  -- BitWord43 bit 7
value("bitword44_bits0_3", 0x948F, "UB", 0x0F, 0, 1)  -- BitWord44 bits 0-3
value("bitword44_bits4_7", 0x948F, "UB", 0xF0, 4, 1)  -- BitWord44 bits 4-7
value("bitword42_bit0", 0x94BE, "UB", 0x01, 0, 1)  -- BitWord42 bit 0
value("bitword42_bit1", 0x94BE, "UB", 0x02, 1, 1)  -- BitWord42 bit 1
value("bitword42_bit2", 0x94BE, "UB", 0x04, 2, 1)  -- BitWord42 bit 2
value("bitword42_bit3", 0x94BE, "UB", 0x08, 3, 1)  -- BitWord42 bit 3
value("bitword42_bit4", 0x94BE, "UB", 0x10, 4, 1)  -- BitWord42 bit 4
value("bitword42_bit5", 0x94BE, "UB", 0x20, 5, 1)  -- BitWord42 bit 5

-- Further values
value("further_942b", 0x942B, "UB", 0xFF, 0, 1)  -- Further value 0x942B
value("further_9472", 0x9472, "UB", 0xFF, 0, 1)  -- Further value 0x9472
value("further_9473", 0x9473, "UB", 0xFF, 0, 1)  -- Further value 0x9473
value("further_9474", 0x9474, "UB", 0xFF, 0, 1)  -- Further value 0x9474
value("further_9475", 0x9475, "UB", 0xFF, 0, 1)  -- Further value 0x9475
value("further_9476", 0x9476, "UB", 0xFF, 0, 1)  -- Further value 0x9476
value("further_9477", 0x9477, "SW", 0xFFFF, 0, 1000)  -- Further value 0x9477
value("further_9479", 0x9479, "SW", 0xFFFF, 0, 1000)  -- Further value 0x9479
value("further_947b", 0x947B, "UB", 0xFF, 0, 1)  -- Further value 0x947B
value("further_947c", 0x947C, "UB", 0xFF, 0, 1)  -- Further value 0x947C
value("further_9480", 0x9480, "SW", 0xFFFF, 0, 1)  -- Further value 0x9480
value("further_9482", 0x9482, "SW", 0xFFFF, 0, 1)  -- Further value 0x9482
value("further_9484", 0x9484, "UB", 0xFF, 0, 1)  -- Further value 0x9484
value("further_9485", 0x9485, "UB", 0xFF, 0, 1)  -- Further value 0x9485
value("further_9486", 0x9486, "UB", 0xFF, 0, 1)  -- Further value 0x9486
value("further_9487", 0x9487, "UB", 0xFF, 0, 1)  -- Further value 0x9487
value("further_9488", 0x9488, "SW", 0xFFFF, 0, 1)  -- Further value 0x9488
value("further_948a", 0x948A, "SW", 0xFFFF, 0, 10)  -- Further value 0x948A
value("further_948c", 0x948C, "SW", 0xFFFF, 0, 1)  -- Further value 0x948C
value("further_9490", 0x9490, "UB", 0xFF, 0, 1)  -- Further value 0x9490
value("further_9497", 0x9497, "UB", 0xFF, 0, 1)  -- Further value 0x9497
value("further_9498", 0x9498, "UB", 0xFF, 0, 1)  -- Further value 0x9498
value("further_9499", 0x9499, "UB", 0xFF, 0, 1)  -- Further value 0x9499
value("further_949a", 0x949A, "UB", 0xFF, 0, 1)  -- Further value 0x949A
value("further_949b", 0x949B, "UB", 0xFF, 0, 1)  -- Further value 0x949B
value("further_949c", 0x949C, "UB", 0xFF, 0, 1)  -- Further value 0x949C
value("further_949d", 0x949D, "SW", 0xFFFF, 0, 1)  -- Further value 0x949D
value("further_949f", 0x949F, "SW", 0xFFFF, 0, 1)  -- Further value 0x949F
value("further_94a1", 0x94A1, "SW", 0xFFFF, 0, 1)  -- Further value 0x94A1
value("further_94a3", 0x94A3, "UB", 0xFF, 0, 1)  -- Further value 0x94A3
value("further_94a4", 0x94A4, "UB", 0xFF, 0, 1)  -- Further value 0x94A4
value("further_94a5", 0x94A5, "SW", 0xFFFF, 0, 1)  -- Further value 0x94A5
value("further_94a7", 0x94A7, "UB", 0xFF, 0, 1)  -- Further value 0x94A7
value("further_94a8", 0x94A8, "UB", 0xFF, 0, 1)  -- Further value 0x94A8
value("further_94b1", 0x94B1, "UB", 0xFF, 0, 1)  -- Further value 0x94B1
value("further_94b2", 0x94B2, "UB", 0xFF, 0, 1)  -- Further value 0x94B2
value("further_94b3", 0x94B3, "UB", 0xFF, 0, 1)  -- Further value 0x94B3
value("further_94b4", 0x94B4, "UB", 0xFF, 0, 1)  -- Further value 0x94B4
value("further_94b5", 0x94B5, "UB", 0xFF, 0, 1)  -- Further value 0x94B5
value("further_94b6", 0x94B6, "UB", 0xFF, 0, 1)  -- Further value 0x94B6
value("further_94b7", 0x94B7, "UB", 0xFF, 0, 1)  -- Further value 0x94B7
value("further_94b8", 0x94B8, "UB", 0xFF, 0, 1)  -- Further value 0x94B8
value("further_94b9", 0x94B9, "UB", 0xFF, 0, 1)  -- Further value 0x94B9
value("further_94ba", 0x94BA, "UB", 0xFF, 0, 1)  -- Further value 0x94BA
value("further_94bb", 0x94BB, "UB", 0xFF, 0, 1)  -- Further value 0x94BB
value("further_94bc", 0x94BC, "UB", 0xFF, 0, 1)  -- Further value 0x94BC
value("further_94bd", 0x94BD, "UB", 0xFF, 0, 1)  -- Further value 0x94BD
value("further_94d2", 0x94D2, "SW", 0xFFFF, 0, 10)  -- Further value 0x94D2
value("further_94d4", 0x94D4, "UB", 0xFF, 0, 1)  -- Further value 0x94D4
value("further_94d6", 0x94D6, "SW", 0xFFFF, 0, 1)  -- Further value 0x94D6
value("further_94d8", 0x94D8, "SW", 0xFFFF, 0, 1)  -- Further value 0x94D8
value("further_94da", 0x94DA, "UB", 0xFF, 0, 1)  -- Further value 0x94DA
value("further_94db", 0x94DB, "UB", 0xFF, 0, 1)  -- Further value 0x94DB
value("further_94dc", 0x94DC, "UB", 0xFF, 0, 1)  -- Further value 0x94DC
value("further_94dd", 0x94DD, "UB", 0xFF, 0, 1)  -- Further value 0x94DD
value("further_94de", 0x94DE, "UB", 0xFF, 0, 1)  -- Further value 0x94DE
value("further_94df", 0x94DF, "UB", 0xFF, 0, 1)  -- Further value 0x94DF
value("further_94e0", 0x94E0, "UB", 0xFF, 0, 1)  -- Further value 0x94E0
value("further_94e1", 0x94E1, "UB", 0xFF, 0, 1)  -- Further value 0x94E1
value("further_94e2", 0x94E2, "UB", 0xFF, 0, 1)  -- Further value 0x94E2
value("further_94e3", 0x94E3, "UB", 0xFF, 0, 1)  -- Further value 0x94E3
value("further_94e4", 0x94E4, "UB", 0xFF, 0, 1)  -- Further value 0x94E4
value("further_94e5", 0x94E5, "UB", 0xFF, 0, 1)  -- Further value 0x94E5
value("further_94ea", 0x94EA, "UB", 0xFF, 0, 1)  -- Further value 0x94EA
value("further_94ec", 0x94EC, "UB", 0xFF, 0, 1)  -- Further value 0x94EC
value("further_94ed", 0x94ED, "UB", 0xFF, 0, 1)  -- Further value 0x94ED
value("further_94ee", 0x94EE, "UB", 0xFF, 0, 1)  -- Further value 0x94EE

-- Commands
value("command_word", 0x9400, "SW", 0xFFFF, 0, 1)  -- Command word
command("command_1297_level_down", 1297)  -- Command 1297 level down
command("command_1298_level_up", 1298)  -- Command 1298 level up
command("command_636_selector_down", 636)  -- Command 636 selector down
command("command_637_selector_up", 637)  -- Command 637 selector up

-- Knobs
counter("knob_94f0", 0x94F0)  -- 0x94F0 altitude knob
counter("knob_94f1", 0x94F1)  -- 0x94F1 knob of command 1233
counter("knob_94f2", 0x94F2)  -- 0x94F2 knob of command 1234
counter("knob_94f3", 0x94F3)  -- 0x94F3 speed knob
counter("knob_94f4", 0x94F4)  -- 0x94F4 vertical speed knob
counter("knob_94f5", 0x94F5)  -- 0x94F5 knob of command 1237
counter("knob_94f6", 0x94F6)  -- 0x94F6 cabin flight altitude knob
counter("knob_94f7", 0x94F7)  -- 0x94F7 landing altitude knob

-- Step counters
counter("counter_9470", 0x9470)  -- 0x9470 counter of commands 1300 and 1301
counter("counter_9491", 0x9491)  -- 0x9491 counter of commands 751 and 752
counter("counter_9492", 0x9492)  -- 0x9492 counter of commands 753 and 754
counter("counter_9493", 0x9493)  -- 0x9493 counter of commands 755 and 756
counter("counter_9494", 0x9494)  -- 0x9494 counter of commands 757 and 758
counter("counter_9495", 0x9495)  -- 0x9495 counter of commands 759 and 760
counter("counter_9496", 0x9496)  -- 0x9496 counter of commands 761 and 762
counter("counter_94f8", 0x94F8)  -- 0x94F8 counter of commands 627 and 628
counter("counter_94f9", 0x94F9)  -- 0x94F9 counter of commands 621 and 622
counter("counter_94fa", 0x94FA)  -- 0x94FA counter of commands 673 and 674
counter("counter_94fb", 0x94FB)  -- 0x94FB counter of commands 667 and 668

-- Direct values
direct("direct_9428", 0x9428)  -- 0x9428 value of command 1267
direct("direct_942e", 0x942E)  -- 0x942E value of command 1299
direct("direct_942f", 0x942F)  -- 0x942F value of command 1296

return M
