-- Record writes, each from an address and under a nick of its own (through X-Forwarded-For: the
-- service must trust 127.0.0.1, or the proxy in front of it). Argument: the run's tag, 0..199.
local here = debug.getinfo(1, "S").source:match("^@(.*/)") or "./"
dofile(here .. "common.lua")

local tag, n = 0, 0
function init(args)
   tag = run_tag(args)
end
function request()
   n = n + 1
   return record_write(tag, n)
end
