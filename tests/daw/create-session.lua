-- Run by ardour7-lua (see run-in-ardour.sh): makes a new session with one stereo track that
-- carries the test burst and then the plug-in from the build tree in the given format (VST3 or
-- LV2), selects a factory program, changes some parameters by name, saves, and writes what it
-- expects back to a file that reopen-session.lua checks in a new process: for the VST3 every
-- parameter Ardour lists with its value, for the LV2 every slot's value (Ardour does not show an
-- LV2 plug-in's own parameter values, so run-in-ardour.sh reads them from its saved state).
--
--   ardour7-lua create-session.lua <VST3|LV2> <session folder> <bundle folder> <expected values file> [<LV2 URI>]

local format, session_dir, bundle_dir, expected_file, lv2_uri = arg[1], arg[2], arg[3], arg[4], arg[5]
assert ((format == "VST3" or (format == "LV2" and lv2_uri)) and session_dir and bundle_dir and expected_file,
        "usage: create-session.lua <VST3|LV2> <session> <bundle> <expected> [<LV2 URI>]")

local failures = 0
local function check (ok, what)
	print ((ok and "ok    " or "FAIL  ") .. what)
	if not ok then failures = failures + 1 end
	return ok
end

-- Waits for a condition with a deadline: Ardour hands some changes to the plug-in in its
-- next process cycle and hears of the plug-in's answer in the cycle after.
local function wait_until (condition, seconds)
	local deadline = ARDOUR.LuaAPI.monotonic_time () + seconds * 1e6
	while not condition () do
		if ARDOUR.LuaAPI.monotonic_time () > deadline then return false end
		sleep (0.02)
	end
	return true
end

local function near (a, b) return math.abs (a - b) < 1e-6 end

assert (AudioEngine:set_backend ("None (Dummy)", "", ""), "the Dummy backend is not available")
assert (create_session (session_dir, "daw", 48000), "could not create the session in " .. session_dir)

-- The plug-in must be the bundle under test, not a copy installed elsewhere. Ardour knows an
-- LV2 plug-in by its URI alone; only the bundle under test is on LV2_PATH.
local plugin_type = format == "VST3" and ARDOUR.PluginType.VST3 or ARDOUR.PluginType.LV2
local info = nil
for p in ARDOUR.LuaAPI.list_plugins ():iter () do
	if p.type == plugin_type and p.name == "FHA_Vimbrel2" then
		print ("Ardour knows the " .. format .. " FHA_Vimbrel2 at " .. p.path .. " as " .. p.unique_id)
		if format == "LV2" or string.sub (p.path, 1, #bundle_dir) == bundle_dir then info = p end
	end
end
assert (info, "Ardour does not list FHA_Vimbrel2 from " .. bundle_dir .. " (was the scanner run, is VST3_PATH or LV2_PATH set?)")
if format == "LV2" then
	check (info.unique_id == lv2_uri, "the LV2 plug-in's URI is " .. info.unique_id)
end

local tracks = Session:new_audio_track (2, 2, nil, 1, "Echo", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
assert (tracks:size () == 1, "could not add a stereo track")
local track = tracks:front ()

local proc = ARDOUR.LuaAPI.new_plugin (Session, info.unique_id, plugin_type, "")
assert (not proc:isnil (), "Ardour could not instantiate the plug-in")
assert (track:add_processor_by_index (proc, 0, nil, true) == 0, "could not insert the plug-in")
local burst = ARDOUR.LuaAPI.new_luaproc (Session, "DAW test burst")
assert (not burst:isnil (), "the test burst script is not on Ardour's script path")
assert (track:add_processor_by_index (burst, 0, nil, true) == 0, "could not insert the test burst")
check (track:nth_plugin (0):display_name () == "DAW test burst" and track:nth_plugin (1):display_name () == "FHA_Vimbrel2",
       "the track runs the test burst, then the plug-in")
local plugin = proc:to_insert ():plugin (0)

-- Ardour hands a newly inserted plug-in the values it shows for it with the plug-in's first
-- process cycle, after anything chosen before that cycle: a program chosen earlier would lose
-- the slots whose shown values differ from the plug-in's described defaults. So the steps
-- begin once the track has run a few cycles (the test burst counts them; it runs before the
-- plug-in in every cycle).
local cycles = burst:to_insert ():plugin (0):to_luaproc ():shmem ()
assert (wait_until (function () return cycles:atomic_get_int (0) >= 3 end, 10), "the track runs no process cycles")

-- The VST3: Ardour lists the automatable slots and shows their values, which must follow the
-- program and the changes.
local function vst3_steps ()
	-- What Ardour offers of the plug-in: the 18 automatable slots in slot order (the level meter
	-- and the slots that keep nothing are not automatable, so Ardour leaves them out) and the
	-- framework's bypass switch.
	local expected_labels = { "input volume", "Lenght", "tone", "Volume", "Selection", "Delay Selection", "Oversampling",
	                          "Manual tempo", "Tempo source manual", "Tempo source host", "Tempo source classic",
	                          "Stereo feedback 1", "Double time", "Stereo feedback 2",
	                          "Beat 5/8", "Beat 6/8", "Beat 7/8", "Beat 8/8", "Bypass" }
	local labels = {}
	for i = 0, plugin:parameter_count () - 1 do labels[#labels + 1] = plugin:parameter_label (i) end
	check (table.concat (labels, "|") == table.concat (expected_labels, "|"),
	       "Ardour lists " .. #labels .. " parameters: " .. table.concat (labels, ", "))
	assert (#labels == #expected_labels, "the parameter list differs; the indices below would be wrong")

	local function value (index) return (ARDOUR.LuaAPI.get_processor_param (proc, index)) end
	local function set (index, v)
		check (ARDOUR.LuaAPI.set_processor_param (proc, index, v) and near (value (index), v),
		       string.format ("set %s (%d) to %.9g, Ardour reads %.9g", labels[index + 1], index, v, value (index)))
	end

	-- Right after insertion Ardour shows the values the plug-in starts with, not the defaults the
	-- plug-in describes (input 0.5, Volume 0.8, Delay Selection 7/12, manual tempo 0.5).
	local start = { [0] = 1.0, [1] = 0.5, [2] = 0.5, [3] = 1.0, [4] = 0.33, [5] = 1 / 12, [6] = 0.0, [7] = 0.0, [8] = 0.5,
	                [9] = 1.0, [10] = 0.0, [11] = 0.0, [12] = 0.0, [13] = 0.0, [14] = 0.0, [15] = 0.0, [16] = 0.0, [17] = 1.0 }
	local function shows (values)
		for index, v in pairs (values) do
			if not near (value (index), v) then return false end
		end
		return true
	end
	wait_until (function () return shows (start) end, 5)
	for index = 0, 17 do
		check (near (value (index), start[index]), string.format ("after insertion %s (%d) is %.9g, the plug-in starts at %.9g",
		                                                        labels[index + 1], index, value (index), start[index]))
	end

	-- A setting that no program holds, before the program: the program must leave it alone.
	set (6, 0.25) -- Oversampling: two stages
	set (7, 0.6)  -- the manual tempo, 120 BPM

	-- "Stereo delay", as Ardour lists it among the plug-in's factory presets.
	local preset = plugin:preset_by_label ("Stereo delay")
	assert (preset and preset.valid, "Ardour does not list the factory program \"Stereo delay\"")
	print ("factory program \"Stereo delay\" is " .. preset.uri)
	assert (plugin:load_preset (preset), "Ardour could not load the factory program")

	-- The program's values by Ardour's index; Ardour shows them once the plug-in reports them.
	local program = { [0] = 0.4, [1] = 0.6, [2] = 0.5, [3] = 1.0, [4] = 0.66, [5] = 0.332, [8] = 0.5, [9] = 1.0, [10] = 0.0,
	                  [11] = 1.0, [12] = 0.0, [13] = 1.0, [14] = 0.0, [15] = 0.0, [16] = 0.0, [17] = 1.0 }
	local shown = wait_until (function () return shows (program) end, 5)
	for index = 0, 17 do
		if program[index] then
			check (near (value (index), program[index]), string.format ("after the program %s (%d) is %.9g, the program holds %.9g",
			                                                          labels[index + 1], index, value (index), program[index]))
		end
	end
	check (near (value (6), 0.25) and near (value (7), 0.6), "the program left Oversampling and the manual tempo alone")
	assert (shown, "the factory program did not take: Ardour still shows the earlier values")

	-- A user's changes on top of the program: the session must keep these, not the program's.
	set (2, 0.25) -- tone: -3 dB
	set (3, 0.7)  -- Volume
	set (12, 1.0) -- Double time on
	set (13, 0.0) -- Stereo feedback 2 off

	-- Let a few process cycles pass, so that nothing the plug-in reports later undoes a change.
	sleep (0.2)
	for index, v in pairs ({ [2] = 0.25, [3] = 0.7, [12] = 1.0, [13] = 0.0 }) do
		check (near (value (index), v),
		       string.format ("%s (%d) still reads %.9g", labels[index + 1], index, value (index)))
	end

	return function (out)
		for index = 0, #labels - 1 do
			out:write (string.format ("%d\t%s\t%.17g\n", index, labels[index + 1], value (index)))
		end
	end
end

-- The LV2: Ardour offers the plug-in's parameters as properties, every slot under the name the
-- plug-in's description gives it. It shows only the values it set itself, so the values the
-- plug-in holds are read from its saved state.
local function lv2_steps ()
	local slot_names = { [0] = "input volume", "Lenght", "tone", "Volume", "Selection", "Delay Selection",
	                     "No Parameter", "No Parameter", "No Parameter", "Oversampling",
	                     "Manual tempo", "Tempo source manual", "Tempo source host", "Tempo source classic", "No Parameter",
	                     "Stereo feedback 1", "Double time", "Stereo feedback 2",
	                     "Beat 5/8", "Beat 6/8", "Beat 7/8", "Beat 8/8" }
	local automatable = proc:to_automatable ()
	local property = "property-" .. info.unique_id .. ":p"
	local controls, names = {}, {}
	for parameter in automatable:all_automatable_params ():iter () do
		local control = automatable:automation_control (parameter, false)
		if string.sub (control:name (), 1, #property) == property then
			local slot = tonumber (string.sub (control:name (), #property + 1))
			controls[slot], names[slot] = control, control:desc ().label
		end
	end
	local listed = {}
	for slot = 0, 21 do listed[#listed + 1] = tostring (names[slot]) end
	local wanted = {}
	for slot = 0, 21 do wanted[#wanted + 1] = slot_names[slot] end
	check (table.concat (listed, "|") == table.concat (wanted, "|"), "Ardour lists the slots p0 to p21: " .. table.concat (listed, ", "))
	assert (#listed == 22 and controls[0] and controls[21], "the parameter list differs; the slots below would be wrong")

	-- A slot by its name.
	local function slot_named (name)
		local found = nil
		for slot = 0, 21 do
			if names[slot] == name then
				assert (found == nil, "two parameters are named " .. name)
				found = slot
			end
		end
		return assert (found, "no parameter is named " .. name)
	end
	local expected = {}
	local function set (slot, v)
		controls[slot]:set_value (v, PBD.GroupControlDisposition.NoGroup)
		expected[slot] = v
		check (near (controls[slot]:get_value (), v),
		       string.format ("set %s (p%d) to %.9g, Ardour reads %.9g", names[slot], slot, v, controls[slot]:get_value ()))
	end

	-- A setting that no program holds, before the program: the program must leave it alone.
	set (slot_named ("Oversampling"), 0.25) -- two stages
	set (slot_named ("Manual tempo"), 0.6) -- 120 BPM
	-- Ardour hands a property to the plug-in in its next process cycle, a preset at once.
	sleep (0.2)

	local preset = plugin:preset_by_label ("Stereo delay")
	assert (preset and preset.valid, "Ardour does not list the factory program \"Stereo delay\"")
	print ("factory program \"Stereo delay\" is " .. preset.uri)
	assert (plugin:load_preset (preset), "Ardour could not load the factory program")
	local program = { [0] = 0.4, [1] = 0.6, [2] = 0.5, [3] = 1.0, [4] = 0.66, [5] = 0.332, [11] = 0.5, [12] = 1.0, [13] = 0.0,
	                  [15] = 1.0, [16] = 0.0, [17] = 1.0, [18] = 0.0, [19] = 0.0, [20] = 0.0, [21] = 1.0 }
	for slot, v in pairs (program) do expected[slot] = v end

	-- A user's changes on top of the program, by name: the session must keep these.
	set (slot_named ("tone"), 0.25) -- -3 dB
	set (slot_named ("Volume"), 0.7)
	set (slot_named ("Double time"), 1.0)
	set (slot_named ("Stereo feedback 2"), 0.0)
	sleep (0.2)

	return function (out)
		for slot = 0, 21 do
			if expected[slot] then out:write (string.format ("%d\t%s\t%.17g\n", slot, names[slot], expected[slot])) end
		end
	end
end

local write_expected = format == "VST3" and vst3_steps () or lv2_steps ()

assert (Session:save_state ("", false, false, false, false, false) == 0, "could not save the session")
print ("saved " .. session_dir)

local out = assert (io.open (expected_file, "w"))
write_expected (out)
out:close ()

close_session ()
assert (failures == 0, failures .. " check(s) failed")
print ("create-session: done")
