"""Lighting labels and effect names of the main skin file.

"Control_Name" and "Mode" hold the Chinese texts (language value 0),
"Control_Name1" and "Mode1" the English ones (language value 1).
"""

# Key of each lighting label: (Chinese, English).
CONTROL_NAMES = [
    ("Usb", "回报率", "Polling"),
    ("Deng", "灯光模式", "Lighting"),
    ("Light", "亮度", "Brightness"),
    ("Speed", "速度", "Speed"),
    ("FX", "方向", "Direction"),
    ("Tool", "工具", "Tool"),
    ("DC", "全部熄灭", "All off"),
    ("LEDOFF", "全部点亮", "All on"),
]

# Effect number: (Chinese, English). Effects that take a direction (1-4, 15,
# 16, 27, 28) are the moving ones; 3 spreads out or draws in, 15 runs up or
# down; 5, 7 and 25 only have a brightness; 254 is the per-key effect.
EFFECT_NAMES = {
    1: ("波浪", "Wave"),
    2: ("彩虹波浪", "Rainbow Wave"),
    3: ("涟漪", "Ripple"),
    4: ("扫描", "Scanner"),
    5: ("常亮", "Static"),
    6: ("呼吸", "Breathing"),
    7: ("炫彩常亮", "Spectrum Static"),
    8: ("光谱循环", "Spectrum Cycle"),
    9: ("按键点亮", "Reactive"),
    10: ("按键涟漪", "Reactive Ripple"),
    11: ("星光", "Starlight"),
    12: ("雨滴", "Raindrop"),
    13: ("烟花", "Fireworks"),
    14: ("心跳", "Heartbeat"),
    15: ("瀑布", "Waterfall"),
    16: ("跑马灯", "Marquee"),
    17: ("余晖", "Afterglow"),
    18: ("闪烁", "Flash"),
    19: ("极光", "Aurora"),
    20: ("飘雪", "Snowfall"),
    21: ("激光", "Laser"),
    22: ("闪电", "Lightning"),
    23: ("闪耀", "Twinkle"),
    24: ("潮汐", "Tide"),
    25: ("霓虹", "Neon"),
    26: ("脉冲", "Pulse"),
    27: ("横扫", "Sweep"),
    28: ("旋涡", "Swirl"),
    254: ("自定义", "Custom"),
}
