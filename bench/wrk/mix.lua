-- Mixed traffic, 70 % reads: of every ten requests four GET /news.html, three record lists and
-- three record writes (each from an address and nick of its own). Argument: the run's tag.
local here = debug.getinfo(1, "S").source:match("^@(.*/)") or "./"
dofile(here .. "common.lua")

local tag, n, k = 0, 0, 0
local news, list
local pattern = {"news", "list", "write", "news", "list", "write", "news", "list", "write", "news"}
function init(args)
   tag = run_tag(args)
   news = wrk.format("GET", "/news.html")
   list = wrk.format("POST", "/rec/list", form, "gid=55")
end
function request()
   k = k % #pattern + 1
   local what = pattern[k]
   if what == "news" then return news end
   if what == "list" then return list end
   n = n + 1
   return record_write(tag, n)
end
