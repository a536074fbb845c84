ardour {
	["type"]    = "dsp",
	name        = "DAW test burst",
	category    = "Utility",
	license     = "MIT",
	author      = "FHA_Vimbrel2 tests",
	description = [[Replaces its input by a 50 ms, 440 Hz tone at half scale at the very start of the timeline, and silence everywhere else. Whatever sounds after the first 50 ms was made by the processors that follow. Counts the process cycles it runs in its shared memory.]]
}

function dsp_ioconfig ()
	return { { audio_in = -1, audio_out = -1 } }
end

local rate = 48000

-- It also counts the process cycles it runs, for the session script to wait on.
function dsp_init (sample_rate)
	rate = sample_rate
	self:shmem ():allocate (1)
	self:shmem ():atomic_set_int (0, 0)
end

function dsp_run (ins, outs, n_samples)
	local shmem = self:shmem ()
	shmem:atomic_set_int (0, shmem:atomic_get_int (0) + 1)

	-- Only a rolling transport has a timeline position; a stopped session stays silent.
	local rolling = Session:transport_rolling ()
	local start = Session:transport_sample ()
	local burst_end = rate / 20
	for c = 1, #outs do
		local out = outs[c]:array ()
		for i = 1, n_samples do
			local t = start + i - 1
			if rolling and t >= 0 and t < burst_end then
				out[i] = 0.5 * math.sin (2 * math.pi * 440 * t / rate)
			else
				out[i] = 0
			end
		end
	end
end
