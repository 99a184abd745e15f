-- Run by test_ardour_session.cpp after create_session.lua: reopens the
-- saved session, prints what Solva's two parameters hold and rolls again.
local dir = os.getenv("SOLVA_ARDOUR_SESSION")
AudioEngine:set_backend("JACK", "", "")
if not load_session(dir, "solva") then
  print("FAIL: the session did not load")
  os.exit(1)
end
for route in Session:get_routes():iter() do
  local processor = route:nth_plugin(0)
  if not processor:isnil() then
    local level = ARDOUR.LuaAPI.get_processor_param(processor, 4, true)
    local frequency = ARDOUR.LuaAPI.get_processor_param(processor, 2, true)
    print(string.format("reopened %s on %s: %.6f %.6f", processor:name(), route:name(), level, frequency))
  end
end
Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
-- A second of audio once the transport moves (it may take a moment to start).
for _ = 1, 30 do
  if Session:transport_sample() > 0 then break end
  ARDOUR.LuaAPI.usleep(100000)
end
ARDOUR.LuaAPI.usleep(1000000)
print("rolled " .. Session:transport_sample() .. " samples")
os.exit(0)
