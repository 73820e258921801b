-- The record list of table 55: POST /rec/list with the body gid=55.
local here = debug.getinfo(1, "S").source:match("^@(.*/)") or "./"
dofile(here .. "common.lua")

local req
function init(args)
   req = wrk.format("POST", "/rec/list", form, "gid=55")
end
function request()
   return req
end
