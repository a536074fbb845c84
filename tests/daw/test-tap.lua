ardour {
	["type"]    = "dsp",
	name        = "DAW test tap",
	category    = "Utility",
	license     = "MIT",
	author      = "FHA_Vimbrel2 tests",
	description = [[Passes stereo audio through unchanged and keeps a copy of the first second of the timeline, as the transport plays it, in its shared memory: the number of samples kept in integer 0, then each channel's second of floats from float 4 on.]]
}

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

local length = 48000

function dsp_init (sample_rate)
	length = math.floor (sample_rate)
	self:shmem ():allocate (4 + 2 * length)
	self:shmem ():clear ()
	self:shmem ():atomic_set_int (0, 0)
end

function dsp_run (ins, outs, n_samples)
	for c = 1, 2 do
		if ins[c] ~= outs[c] then
			ARDOUR.DSP.copy_vector (outs[c], ins[c], n_samples)
		end
	end
	if not Session:transport_rolling () then return end

	local start = Session:transport_sample ()
	if start >= length or start + n_samples <= 0 then return end
	local shmem = self:shmem ()
	for c = 1, 2 do
		local kept = shmem:to_float (4 + (c - 1) * length):array ()
		local audio = outs[c]:array ()
		for i = 1, n_samples do
			local t = start + i - 1
			if t >= 0 and t < length then kept[t + 1] = audio[i] end
		end
	end
	shmem:atomic_set_int (0, math.max (shmem:atomic_get_int (0), math.min (length, start + n_samples)))
end
