-- GET /news.html on kept connections (also what nginx serves, as a static file of its size).
local here = debug.getinfo(1, "S").source:match("^@(.*/)") or "./"
dofile(here .. "common.lua")

local req
function init(args)
   req = wrk.format("GET", "/news.html")
end
function request()
   return req
end
