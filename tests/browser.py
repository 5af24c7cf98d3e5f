#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a browser for the end-to-end test and the benchmark, through Debian's selenium.

browser.py chromium|webkit. Each line on standard input is a request in JSON, {"do": ..., ...};
each answer is one line of JSON on standard output, {"value": ...} or {"error": "..."}.
Keys are named as xdotool names them ("alt+s", "shift+Tab", "Return"), blanks between them."""

import base64
import json
import sys
import time

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
# Without the background networking Chromium keeps trying to reach Google's hosts.
CHROMIUM_ARGUMENTS = ['--headless=new', '--no-sandbox', '--disable-gpu',
                      '--disable-background-networking', '--disable-component-update',
                      '--disable-sync', '--no-first-run', '--window-size=1600,1100']

KEYS = {'Return': Keys.ENTER, 'Escape': Keys.ESCAPE, 'Tab': Keys.TAB, 'space': Keys.SPACE,
        'BackSpace': Keys.BACKSPACE, 'Right': Keys.RIGHT, 'Left': Keys.LEFT}
MODIFIERS = {'alt': Keys.ALT, 'ctrl': Keys.CONTROL, 'shift': Keys.SHIFT}


def start(name):
    if name == 'chromium':
        from selenium.webdriver.chrome.service import Service
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in CHROMIUM_ARGUMENTS:
            options.add_argument(argument)
        return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    from selenium.webdriver.webkitgtk.options import Options
    options = Options()
    options.binary_location = MINIBROWSER
    options.add_argument('--automation')
    try:
        from selenium.webdriver.webkitgtk.service import Service
        browser = webdriver.WebKitGTK(options=options, service=Service('/usr/bin/WebKitWebDriver'))
    except TypeError:  # selenium before 4.10
        browser = webdriver.WebKitGTK(options=options, executable_path='/usr/bin/WebKitWebDriver')
    browser.set_window_rect(0, 0, 1600, 1150)
    return browser


def press(browser, keys):
    actions = ActionChains(browser)
    for key in keys.split():
        *modifiers, name = key.split('+')
        for modifier in modifiers:
            actions.key_down(MODIFIERS[modifier])
        actions.send_keys(KEYS.get(name, name))
        for modifier in reversed(modifiers):
            actions.key_up(MODIFIERS[modifier])
    actions.perform()


def tap(browser, selector):
    element = browser.find_element(By.CSS_SELECTOR, selector)
    finger = PointerInput(interaction.POINTER_TOUCH, 'finger')
    actions = ActionBuilder(browser, mouse=finger)
    actions.pointer_action.move_to(element).pointer_down().pointer_up()
    actions.perform()


# The page's view is made that size by sizing the browser's window around it. WebKitGTK
# sizes its window when the X server has answered, some time after the request returns.
def view(browser, width, height):
    deadline = time.monotonic() + 10
    while True:
        inner = browser.execute_script('return [innerWidth, innerHeight]')
        if inner == [width, height] or time.monotonic() > deadline:
            return inner
        outer = browser.get_window_size()
        browser.set_window_size(width + outer['width'] - inner[0],
                                height + outer['height'] - inner[1])
        time.sleep(0.1)


def main():
    browser = start(sys.argv[1])
    requests = {
        'open': lambda r: browser.get(r['url']),
        'script': lambda r: browser.execute_script(r['code'], *r.get('args', [])),
        'keys': lambda r: press(browser, r['keys']),
        'type': lambda r: ActionChains(browser).send_keys(r['text']).perform(),
        'click': lambda r: browser.find_element(By.CSS_SELECTOR, r['selector']).click(),
        'tap': lambda r: tap(browser, r['selector']),
        'shot': lambda r: base64.b64encode(
            browser.find_element(By.CSS_SELECTOR, r['selector']).screenshot_as_png).decode(),
        'view': lambda r: view(browser, r['width'], r['height']),
        'cdp': lambda r: browser.execute_cdp_cmd(r['command'], r.get('parameters', {})),
    }
    try:
        for line in sys.stdin:
            request = json.loads(line)
            if request['do'] == 'quit':
                break
            try:
                answer = {'value': requests[request['do']](request)}
            except Exception as error:  # the test reports it
                answer = {'error': '%s: %s' % (type(error).__name__, error)}
            print(json.dumps(answer), flush=True)
    finally:
        browser.quit()


if __name__ == '__main__':
    main()
