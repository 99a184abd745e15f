-- Run by test_ardour_session.cpp in Ardour's headless Lua session tool, on
-- the session in $SOLVA_ARDOUR_SESSION, in one of two steps
-- ($SOLVA_ARDOUR_STEP):
--   create  a session with one stereo track and Solva on it, two of its
--           parameters set, the transport asked to roll for a second, saved;
--   reopen  the saved session reopened: what Solva's two parameters hold,
--           and the transport asked to roll again.
local dir = os.getenv("SOLVA_ARDOUR_SESSION")
local step = os.getenv("SOLVA_ARDOUR_STEP")

-- A second of audio once the transport moves (it may take a moment to start).
local function rollOneSecond()
  Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
  for _ = 1, 30 do
    if Session:transport_sample() > 0 then break end
    ARDOUR.LuaAPI.usleep(100000)
  end
  ARDOUR.LuaAPI.usleep(1000000)
  print("rolled " .. Session:transport_sample() .. " samples")
end

AudioEngine:set_backend("JACK", "", "")
if step == "create" then
  if not create_session(dir, "solva", 48000) then
    print("FAIL: no session")
    os.exit(1)
  end
  local track = Session:new_audio_track(2, 2, nil, 1, "eq", ARDOUR.PresentationInfo.max_order,
                                        ARDOUR.TrackMode.Normal, true):front()
  local solva = ARDOUR.LuaAPI.new_plugin(Session, "1399617089", ARDOUR.PluginType.LXVST, "")
  if solva:isnil() or track:add_processor_by_index(solva, 0, nil, true) ~= 0 then
    print("FAIL: Solva could not be inserted")
    os.exit(1)
  end
  print("inserted " .. solva:name() .. " with " .. solva:to_insert():plugin(0):parameter_count() .. " parameters")
  ARDOUR.LuaAPI.set_processor_param(solva, 4, 0.8)   -- band 1 level
  ARDOUR.LuaAPI.set_processor_param(solva, 2, 0.33)  -- band 1 frequency
  rollOneSecond()
  Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
  ARDOUR.LuaAPI.usleep(300000)
  Session:save_state("", false, false, false, false, false)
  print("saved")
elseif step == "reopen" then
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
  rollOneSecond()
else
  print("FAIL: SOLVA_ARDOUR_STEP is neither create nor reopen")
  os.exit(1)
end
-- The test needs none of the session's teardown, which under JACK can stall
-- in Ardour itself whatever plug-ins the session holds.
os.exit(0)
