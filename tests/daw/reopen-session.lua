-- Run by ardour7-lua (see run-in-ardour.sh) in a new process: reopens the session that
-- create-session.lua saved, checks that every parameter Ardour lists has the value it had when
-- the session was saved, and exports the first second of the master bus as 32-bit float WAV.
-- The export runs even when a parameter is wrong, so that one run reports both.
--
--   ardour7-lua reopen-session.lua <session folder> <expected values file> <export folder>

local session_dir, expected_file, export_dir = arg[1], arg[2], arg[3]
assert (session_dir and expected_file and export_dir, "usage: reopen-session.lua <session> <expected> <export folder>")

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

check (plugin:parameter_count () == #expected,
       string.format ("Ardour lists %d parameters, as many as when saved (%d)", plugin:parameter_count (), #expected))
for _, e in ipairs (expected) do
	local label = plugin:parameter_label (e.index)
	local v = ARDOUR.LuaAPI.get_processor_param (proc, e.index)
	-- Both values passed through the same single-precision parameter, so they must be equal.
	check (label == e.label and v == e.value,
	       string.format ("%s (%d): saved %.9g, reopened %s %.9g", e.label, e.index, e.value, label, v))
end

local export = Session:simple_export ()
export:set_folder (export_dir)
export:set_name ("echo")
export:set_range (0, Session:nominal_sample_rate ())
assert (export:set_preset ("71bd04a8-32bd-4093-9a89-874c99f8fb87"), "Ardour does not know the float WAV export preset")
local started = ARDOUR.LuaAPI.monotonic_time ()
assert (export:run_export (), "the export failed")
print (string.format ("exported one second into %s in %.2f s", export_dir, (ARDOUR.LuaAPI.monotonic_time () - started) / 1e6))

close_session ()
assert (failures == 0, failures .. " check(s) failed")
print ("reopen-session: done")
