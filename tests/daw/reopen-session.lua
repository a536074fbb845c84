-- Run by ardour7-lua (see run-in-ardour.sh) in a new process: reopens the session that
-- create-session.lua saved, checks that every parameter Ardour lists has the value it had when
-- the session was saved (the VST3; an LV2 plug-in's values are read from its saved state by
-- run-in-ardour.sh, so this saves what it holds as a preset), then plays the first second
-- and writes what the plug-in gave to a 32-bit float WAV file. It plays even when a parameter is
-- wrong, so that one run reports both.
--
--   ardour7-lua reopen-session.lua <VST3|LV2> <session folder> <expected values file> <played WAV file> [<LV2 URI>]

local format, session_dir, expected_file, played_file, lv2_uri = arg[1], arg[2], arg[3], arg[4], arg[5]
assert ((format == "VST3" or (format == "LV2" and lv2_uri)) and session_dir and expected_file and played_file,
        "usage: reopen-session.lua <VST3|LV2> <session> <expected> <played WAV file> [<LV2 URI>]")

local failures = 0
local function check (ok, what)
	print ((ok and "ok    " or "FAIL  ") .. what)
	if not ok then failures = failures + 1 end
	return ok
end

local expected = {}
for line in io.lines (expected_file) do
	local index, label, v = string.match (line, "^(%d+)\t([^\t]*)\t(%S+)$")
	assert (index, "unreadable line in " .. expected_file .. ": " .. line)
	expected[#expected + 1] = { index = tonumber (index), label = label, value = tonumber (v) }
end
assert (#expected > 0, expected_file .. " lists no parameters")

assert (AudioEngine:set_backend ("None (Dummy)", "", ""), "the Dummy backend is not available")
assert (load_session (session_dir, "daw"), "could not reopen the session in " .. session_dir)

local track = Session:route_by_name ("Echo")
assert (not track:isnil (), "the reopened session has no track \"Echo\"")
local proc = track:nth_plugin (1)
assert (not proc:isnil () and not proc:to_insert ():isnil (), "the reopened track has no plug-in after the test burst")
check (proc:display_name () == "FHA_Vimbrel2", "the reopened track runs " .. proc:display_name ())
local plugin = proc:to_insert ():plugin (0)

if format == "VST3" then
	check (plugin:parameter_count () == #expected,
	       string.format ("Ardour lists %d parameters, as many as when saved (%d)", plugin:parameter_count (), #expected))
	for _, e in ipairs (expected) do
		local label = plugin:parameter_label (e.index)
		local v = ARDOUR.LuaAPI.get_processor_param (proc, e.index)
		-- Both values passed through the same single-precision parameter, so they must be equal.
		check (label == e.label and v == e.value,
		       string.format ("%s (%d): saved %.9g, reopened %s %.9g", e.label, e.index, e.value, label, v))
	end
else
	check (plugin:unique_id () == lv2_uri, "the reopened plug-in is " .. plugin:unique_id ())
end

-- Play the first second through the plug-in and keep what it gives. Ardour 7.3's own export
-- is not used: in this headless interpreter it corrupts the heap in about one run in four,
-- with no plug-in in the session at all.
local tap = ARDOUR.LuaAPI.new_luaproc (Session, "DAW test tap")
assert (not tap:isnil (), "the test tap script is not on Ardour's script path")
assert (track:add_processor_by_index (tap, 2, nil, true) == 0, "could not insert the test tap after the plug-in")
local kept = tap:to_insert ():plugin (0):to_luaproc ():shmem ()
local rate = Session:nominal_sample_rate ()

Session:goto_start (false)
Session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
local started = ARDOUR.LuaAPI.monotonic_time ()
while kept:atomic_get_int (0) < rate and ARDOUR.LuaAPI.monotonic_time () - started < 10e6 do
	sleep (0.05)
end
Session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
check (kept:atomic_get_int (0) == rate, string.format ("played %d of %d samples in %.2f s", kept:atomic_get_int (0), rate,
                                                     (ARDOUR.LuaAPI.monotonic_time () - started) / 1e6))

-- The second as a 32-bit float stereo WAV file, for check-audio.py.
local left, right = kept:to_float (4):array (), kept:to_float (4 + rate):array ()
local out = assert (io.open (played_file, "wb"))
out:write ("RIFF", string.pack ("<I4", 36 + rate * 8), "WAVE")
out:write ("fmt ", string.pack ("<I4I2I2I4I4I2I2", 16, 3, 2, rate, rate * 8, 8, 32))
out:write ("data", string.pack ("<I4", rate * 8))
for first = 1, rate, 4800 do
	local frames = {}
	for i = first, math.min (rate, first + 4799) do frames[#frames + 1] = string.pack ("<ff", left[i], right[i]) end
	out:write (table.concat (frames))
end
out:close ()
print ("wrote the played second to " .. played_file)

-- What the reopened LV2 plug-in holds, saved as a user preset (under $HOME/.lv2): Ardour keeps
-- the session's saved state as it was when the plug-in gives the same one back.
if format == "LV2" then
	local preset = plugin:save_preset ("reopened")
	check (preset and preset.valid, "saved what the reopened plug-in holds as the preset " .. tostring (preset and preset.uri))
end

close_session ()
assert (failures == 0, failures .. " check(s) failed")
print ("reopen-session: done")
