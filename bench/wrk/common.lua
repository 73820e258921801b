-- What every script of this folder shares: each answer is checked, and done() prints one line
-- of figures (key=value) for scripts/bench-service and scripts/service-cluster to read.
--
--   requests  answers received          rate     answers a second
--   p50, p99  latency in milliseconds   socket   connect, read, write errors and time-outs
--   non200    answers of another status refused  200 answers that are a refusal

local threads = {}

function setup(thread)
   thread:set("thread_index", #threads)
   table.insert(threads, thread)
end

thread_index = 0
non200 = 0
refused = 0

-- Every real answer starts with "$", "#" or "<"; a refusal ("no", "wait", "busy", "paused") is
-- one bare word.
function response(status, headers, body)
   if status ~= 200 then
      non200 = non200 + 1
   elseif body and body:match("^%a+%s*$") then
      refused = refused + 1
   end
end

function done(summary, latency, requests)
   local bad, no = 0, 0
   for _, t in ipairs(threads) do
      bad = bad + t:get("non200")
      no = no + t:get("refused")
   end
   local e = summary.errors
   local seconds = summary.duration / 1e6
   io.write(string.format(
      "wrk requests=%d seconds=%.2f rate=%.0f p50=%.2f p99=%.2f socket=%d non200=%d refused=%d\n",
      summary.requests, seconds, summary.requests / seconds, latency:percentile(50) / 1000,
      latency:percentile(99) / 1000, e.connect + e.read + e.write + e.timeout, bad, no))
end

form = {["Content-Type"] = "application/x-www-form-urlencoded"}

-- A record write from an address and under a nick of its own, so that the service's limit of one
-- write per address and per nick every 15 seconds never applies. `tag` (0..199, the script's
-- argument) keeps runs apart; `n` counts this thread's writes.
function record_write(tag, n)
   local id = n * 16 + thread_index
   local from = string.format("%d.%d.%d.%d", 20 + tag, math.floor(id / 65536) % 256,
                              math.floor(id / 256) % 256, id % 256)
   local nick = string.format("w%dx%x", tag, id)
   return wrk.format("POST", "/rec/write", {["Content-Type"] = form["Content-Type"],
                                           ["X-Forwarded-For"] = from},
                     "gid=55&nick=" .. nick .. "&city=Omsk&country=1-001&score=" .. (id % 5000) ..
                        "&R7=M&R8=5.7f&R9=#&R10=#*")
end

function run_tag(args)
   return (tonumber(args and args[1] or "0") or 0) % 200
end
