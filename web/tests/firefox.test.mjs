import { pageCases } from './page_cases.mjs';

pageCases('firefox');
