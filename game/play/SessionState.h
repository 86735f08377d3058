#pragma once
// The states of a game session, one visit to a habitat from the world map to the level
// report.

#include <cstdint>

enum SessionState : int32_t {
    STATE_SHOW_MAP = 0,
    STATE_MAP_OPEN = 1,
    STATE_MAP_CLOSED = 2,
    STATE_BEGIN_LEVEL = 3,
    STATE_STORY_SHOWN = 4,
    STATE_PLAY = 5,
    STATE_SURVIVOR_INTRO = 6,
    STATE_WEB_BURST = 7,
    STATE_EVENT_WAIT = 8,
    STATE_EVENT_RUNNING = 9,
    STATE_EVENT_DONE = 10,
    STATE_STAGE_CLEARED = 11,
    STATE_STAGE_START = 12,
    STATE_STAGE_SETTLING = 13,
    STATE_GOAL_COMPLETE = 14,
    STATE_MINI_GAME_START = 15,
    STATE_MINI_GAME = 16,
    STATE_LEVEL_REPORT = 17,
    STATE_GAME_OVER = 18,
    STATE_NEW_AWARD = 19,
    STATE_FLOURISH = 20,
};
